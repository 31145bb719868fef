#include "app/core/ReturnSound.h"

#include "app/core/AppSettings.h"
#include "app/core/Platform.h"

QString soundRootFolder(Platform& platform) {
    const QString windowsFolder = platform.environmentVariable(QStringLiteral("windir"));
    return windowsFolder.isEmpty() ? platform.programDirectory() : windowsFolder;
}

void PlayReturnSound(const AppSettings& settings, Platform& platform) {
    QString found;
    const QString folder = soundRootFolder(platform) + u'/' + QLatin1String(returnSoundFolder);
    if (settings.playsChime())
        found = platform.existingFileName(folder + u'/' + QLatin1String(returnSoundFile));
    if (!found.isEmpty()) {
        // Play the very file that was found: on a case-sensitive file system a rebuilt name may miss it.
        platform.playSound(folder + u'/' + found);
    } else {
        platform.messageBox(QStringLiteral("設定されている「音声ﾌｧｲﾙ」が見つかりません。"), MessageStyle::Exclamation,
                            QStringLiteral("音声ﾌｧｲﾙ 存在確認"));
    }
    platform.processEvents();
}
