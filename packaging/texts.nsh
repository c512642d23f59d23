; Every text of the installer's and the uninstaller's own, in English and in Russian, used as
; $(NAME). NSIS shows the one of the language it chose for the pages. A text may name variables
; ($INSTDIR, $R0, ...): they take their values where the text is used.

; The folder of /D (install-path.nsh); $1 is the text after /D=.
LangString DirectorySwitchInvalid ${LANG_ENGLISH} "The folder given with /D is not a valid path: $1. Give a full path, unquoted, as the last argument, for example /D=C:\Tools\Pausarium. Nothing was installed."
LangString DirectorySwitchInvalid ${LANG_RUSSIAN} "Папка, указанная в /D, не является допустимым путём: $1. Укажите полный путь без кавычек последним параметром, например /D=C:\Tools\Pausarium. Ничего не установлено."
LangString DirectorySwitchUnread ${LANG_ENGLISH} "The folder given with /D was not read: /D must be the last argument, unquoted even when the path holds spaces, for example /D=C:\Some Dir\Pausarium. Nothing was installed."
LangString DirectorySwitchUnread ${LANG_RUSSIAN} "Папка, указанная в /D, не прочитана: /D должен быть последним параметром, без кавычек, даже если путь содержит пробелы, например /D=C:\Some Dir\Pausarium. Ничего не установлено."
LangString DirectorySwitchNotLast ${LANG_ENGLISH} "The folder given with /D is followed by another switch: $1. /D must be the last argument. Nothing was installed."
LangString DirectorySwitchNotLast ${LANG_RUSSIAN} "За папкой, указанной в /D, следует другой параметр: $1. /D должен быть последним параметром. Ничего не установлено."

; The install folder (folder.nsh); $R0 is the chosen folder without a trailing backslash.
LangString FolderRefusedForeign ${LANG_ENGLISH} "The folder $R0 already exists and is not an earlier installation of Pausarium. The installer restricts the permissions of everything in its folder to the administrators, and must not change those of files it does not own. Choose a new folder, such as $R0\Pausarium."
LangString FolderRefusedForeign ${LANG_RUSSIAN} "Папка $R0 уже существует, и в ней нет прежней установки Pausarium. Программа установки разрешает изменять всё содержимое своей папки только администраторам, а разрешения чужих файлов менять не должна. Выберите новую папку, например $R0\Pausarium."
LangString FolderRefusedDriveRoot ${LANG_ENGLISH} "Pausarium cannot be installed into the root of a drive or a share ($R0). Choose a folder of its own, such as $R0\Pausarium."
LangString FolderRefusedDriveRoot ${LANG_RUSSIAN} "Pausarium нельзя установить в корень диска или общей папки ($R0). Выберите для программы отдельную папку, например $R0\Pausarium."
LangString FolderRefusedDevicePath ${LANG_ENGLISH} "Pausarium cannot be installed into a folder given as a device path ($R0): give it as a plain path, such as C:\Tools\Pausarium. Nothing was installed."
LangString FolderRefusedDevicePath ${LANG_RUSSIAN} "Pausarium нельзя установить в папку, указанную как путь к устройству ($R0): укажите обычный путь, например C:\Tools\Pausarium. Ничего не установлено."
LangString FolderRefusedWindows ${LANG_ENGLISH} "Pausarium cannot be installed into the Windows folder ($R0). Choose a folder of its own, such as $PROGRAMFILES\Pausarium."
LangString FolderRefusedWindows ${LANG_RUSSIAN} "Pausarium нельзя установить в папку Windows ($R0). Выберите для программы отдельную папку, например $PROGRAMFILES\Pausarium."
LangString ProtectingFolder ${LANG_ENGLISH} "Restricting changes of $INSTDIR to the administrators"
LangString ProtectingFolder ${LANG_RUSSIAN} "Настройка разрешений: изменять $INSTDIR смогут только администраторы"
LangString FolderNotProtected ${LANG_ENGLISH} "The permissions of $INSTDIR could not be restricted to the administrators. Install into Program Files, or into a new folder that only administrators may change."
LangString FolderNotMade ${LANG_ENGLISH} "Could not make the folder $INSTDIR"
LangString FolderNotMade ${LANG_RUSSIAN} "Не удалось создать папку $INSTDIR"
LangString FolderNotProtected ${LANG_RUSSIAN} "Не удалось разрешить изменение папки $INSTDIR только администраторам. Установите программу в Program Files или в новую папку, которую могут изменять только администраторы."

; The installer's switches (install.nsh).
LangString InvalidSwitches ${LANG_ENGLISH} "Invalid switches: /REGIME takes 0 (30/5), 1 (50/10) or 2 (90/15), /PROTECTION takes 0 (normal) or 1 (raised). Nothing was installed."
LangString InvalidSwitches ${LANG_RUSSIAN} "Недопустимые параметры: /REGIME принимает значения 0 (30/5), 1 (50/10) или 2 (90/15), /PROTECTION — 0 (обычный уровень устойчивости) или 1 (повышенный). Ничего не установлено."

; An upgrade (upgrade.nsh, the install section); $R4 is the earlier installation's folder.
LangString RemovingPrevious ${LANG_ENGLISH} "Removing the installed version from $R4"
LangString RemovingPrevious ${LANG_RUSSIAN} "Удаление установленной версии из $R4"
LangString PreviousNotRemoved ${LANG_ENGLISH} "The installed version in $R4 could not be removed. Nothing was changed."
LangString PreviousNotRemoved ${LANG_RUSSIAN} "Не удалось удалить установленную версию из $R4. Ничего не изменено."
LangString PreviousPartlyRemoved ${LANG_ENGLISH} "The installed version in $R4 could not be removed, while another installation of Pausarium was removed already. Run the installer again."
LangString PreviousPartlyRemoved ${LANG_RUSSIAN} "Не удалось удалить установленную версию из $R4, а другая установка Pausarium уже удалена. Запустите установку ещё раз."
LangString EarlierFolderAtRestart ${LANG_ENGLISH} "The rest of $R4 is removed when Windows restarts."
LangString EarlierFolderAtRestart ${LANG_RUSSIAN} "Остальное содержимое $R4 будет удалено при перезагрузке Windows."

; Registry values that could not be written (install.nsh, the install section).
LangString AutorunNotWritten ${LANG_ENGLISH} "Could not write the autorun value"
LangString AutorunNotWritten ${LANG_RUSSIAN} "Не удалось записать параметр автозапуска"
LangString ActiveSetupNotWritten ${LANG_ENGLISH} "Could not write the Active Setup component"
LangString ActiveSetupNotWritten ${LANG_RUSSIAN} "Не удалось записать компонент Active Setup"
LangString KeptDataNotWritten ${LANG_ENGLISH} "Could not write back the kept autorun value or settings"
LangString KeptDataNotWritten ${LANG_RUSSIAN} "Не удалось восстановить сохранённый параметр автозапуска или настройки"
LangString RegistryNotWritten ${LANG_ENGLISH} "Pausarium is installed, but some registry values could not be written (see the details). Run the installer again."
LangString RegistryNotWritten ${LANG_RUSSIAN} "Pausarium установлен, но некоторые параметры реестра записать не удалось (см. подробности). Запустите установку ещё раз."
LangString FilesNotWritten ${LANG_ENGLISH} "Some files could not be written into $INSTDIR (see the details). Close every Pausarium program and run the installer again."
LangString FilesNotWritten ${LANG_RUSSIAN} "Не удалось записать некоторые файлы в $INSTDIR (см. подробности). Закройте все программы Pausarium и запустите установку ещё раз."

; Files in use (files-in-use.nsh); $R0 is the file.
LangString FileMovedAside ${LANG_ENGLISH} "In use, moved aside until the next restart: $R0"
LangString FileMovedAside ${LANG_RUSSIAN} "Файл занят, он переименован и будет удалён при следующей перезагрузке: $R0"
LangString MovedAsideNotScheduled ${LANG_ENGLISH} "Windows did not take the deletion of $R2 at the next restart"
LangString MovedAsideNotScheduled ${LANG_RUSSIAN} "Windows не приняла удаление $R2 при следующей перезагрузке"
LangString FileNotReplaced ${LANG_ENGLISH} "Could neither remove nor rename $R0: it is in use"
LangString FileNotReplaced ${LANG_RUSSIAN} "Не удалось ни удалить, ни переименовать $R0: файл занят"

; The end of an uninstall (uninstall.nsh); $R0 is a file left in the install folder.
LangString FileRemovedAtRestart ${LANG_ENGLISH} "In use, removed at the next restart: $R0"
LangString FileRemovedAtRestart ${LANG_RUSSIAN} "Файл занят и будет удалён при следующей перезагрузке: $R0"
LangString FileNotRemoved ${LANG_ENGLISH} "Could not remove $R0, now or at the next restart"
LangString FileNotRemoved ${LANG_RUSSIAN} "Не удалось удалить $R0 ни сейчас, ни при следующей перезагрузке"
LangString RemovedAtRestart ${LANG_ENGLISH} "Files in use are removed when Windows restarts."
LangString RemovedAtRestart ${LANG_RUSSIAN} "Занятые файлы будут удалены при перезагрузке Windows."
LangString FilesInUseAtRestart ${LANG_ENGLISH} "Some files in $INSTDIR are in use (by Pausarium, still running for a user, or by another program). They are removed when Windows restarts."
LangString FilesInUseAtRestart ${LANG_RUSSIAN} "Некоторые файлы в папке $INSTDIR заняты: Pausarium ещё работает у одного из пользователей или файл открыт другой программой. Они будут удалены при перезагрузке Windows."
LangString FilesNotRemoved ${LANG_ENGLISH} "Some files in $INSTDIR could not be removed, now or at the next restart (see the details). Delete them by hand when no program uses them any more."
LangString FilesNotRemoved ${LANG_RUSSIAN} "Некоторые файлы в папке $INSTDIR не удалось удалить ни сейчас, ни при следующей перезагрузке (см. подробности). Удалите их вручную, когда они освободятся."
