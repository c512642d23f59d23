#pragma once
// Every text the setup tool shows, in Windows-1251.

#include "Cp1251.h"

namespace pausarium::setup::texts {

inline constexpr auto kApplicationTitle = cp1251(u8"Pausarium Setup");
inline constexpr auto kWindowCaption = cp1251(u8"Pausarium v2.3 Setup");
inline constexpr auto kWarningCaption = cp1251(u8"Warning");

inline constexpr auto kReminderMissing = cp1251(
    u8"Pausarium.exe не найден.. \n Запускайте данную программу из директории, где находится Pausarium.exe");
inline constexpr auto kRegistryReadError = cp1251(u8"Ошибка чтения реестра..");
inline constexpr auto kPathQuestion = cp1251(
    u8"Pausarium обнаружен в другой дерриктории..\nВы хотите изменить путь к программе в параметрах автозапуска?");

// The question before registering a program that users other than the administrators may change:
// the first part, the folder, then the second part.
inline constexpr auto kChangeableFolderBefore = cp1251(u8"Папку «");
inline constexpr auto kChangeableFolderAfter = cp1251(
    u8"» или Pausarium.exe в ней могут изменять не только администраторы.\n"
    u8"Любой пользователь сможет подменить программу, которую Windows запускает при входе всех пользователей.\n\n"
    u8"Всё равно установить Pausarium в автозапуск?");

// Toggle-button captions: at design, installed pair, not-installed pair.
inline constexpr auto kAddDesign = cp1251(u8"Установить Pausarium в Автозапуск");
inline constexpr auto kRemoveDesign = cp1251(u8"Убрать Pausarium из Автозапуска");
inline constexpr auto kAddInstalled = cp1251(u8"Pausarium установлен в Windows..");
inline constexpr auto kRemoveInstalled = cp1251(u8"Удалить Pausarium из Windows");
inline constexpr auto kAddNotInstalled = cp1251(u8"Установить Pausarium в Windows");
inline constexpr auto kRemoveNotInstalled = cp1251(u8"Pausarium не установлен..");

inline constexpr auto kAutorunHeading = cp1251(u8"Параметры автозапуска");
inline constexpr auto kRegimeHeading = cp1251(u8"Режим работы");
inline constexpr auto kLevelHeading = cp1251(u8"Уровень устойчивости");
// The two headings while a policy sets their section's setting.
inline constexpr auto kManagedRegimeHeading = cp1251(u8"Режим работы задаёт администратор");
inline constexpr auto kManagedLevelHeading = cp1251(u8"Уровень задаёт администратор");
inline constexpr auto kRadio30_5 = cp1251(u8"30 минут работы / 5 минут отдыха");
inline constexpr auto kRadio50_10 = cp1251(u8"50 минут работы / 10 минут отдыха");
inline constexpr auto kRadio90_15 = cp1251(u8"90 минут работы / 15 минут отдыха");
inline constexpr auto kHighHeading = cp1251(u8"Повышенный");
inline constexpr auto kNormalHeading = cp1251(u8"Обычный");
inline constexpr auto kNoneCaption = cp1251(u8"Pausarium не установлен..");
inline constexpr auto kHighText = cp1251(
    u8"Прервать работу программы во \r\nвремя паузы весьма проблематично, \r\nт.к. программа перекрывает любое \r\nокно, включая диспетчер задач..");
inline constexpr auto kNormalText = cp1251(
    u8"Возможно выгрузить с помощью \r\nCtrl+ALt+Del (в Win9x, вероятно, со \r\nвторого-третьего раза).");
inline constexpr auto kRestartNotice = cp1251(
    u8"Новые параметры вступят в силу только после \r\nперезапуска Windows!");
inline constexpr auto kExit = cp1251(u8"Выход");

}  // namespace pausarium::setup::texts
