#pragma once
// Everything the break reminder shows or hands out, readable here and stored as Windows-1251.

#include "Cp1251.h"

namespace pausarium::reminder::texts {

inline constexpr auto kApplicationTitle = cp1251(u8"Pausarium");
inline constexpr auto kTitlePrefix = cp1251(u8"Pausarium - ");
inline constexpr auto kWindowCaption = cp1251(u8"Pausarium");

inline constexpr auto kFirstNotice = cp1251(u8"Сохраняйтесь, пора...");
inline constexpr auto kNoticePrefix = cp1251(u8"Сохраняйтесь, осталось ");
inline constexpr auto kRemainingPrefix = cp1251(u8"Осталось ");
inline constexpr auto kMinutesWord = cp1251(u8" минут");
inline constexpr auto kEndingFew = cp1251(u8"ы");   // 2 to 4
inline constexpr auto kEndingOne = cp1251(u8"а");   // 1
inline constexpr auto kEllipsis = cp1251(u8"...");
inline constexpr auto kLocked = cp1251(u8"Система заблокирована...");
inline constexpr auto kPressAnyKey = cp1251(u8"-= нажмите любую клавишу =-");

// The author's address: a reserved example domain until a real home page exists.
inline constexpr auto kAuthorHost = cp1251(u8"pausa.example");
inline constexpr auto kAuthorAddress = cp1251(u8"http://pausa.example/");

}  // namespace pausarium::reminder::texts
