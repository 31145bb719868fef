#include "app/WindowsVersion.h"

#include "app/Platform.h"

QString windowsVersionName(const VersionRecord& record) {
    QString name;
    if (record.platformId == 1) {
        if (record.minorVersion == 0)
            name = QStringLiteral("Windows 95");
        else if (record.minorVersion == 10)
            name = QStringLiteral("Windows 98");
        else
            name = QStringLiteral("Windows Me");
    }
    if (record.platformId == 2) {
        if (record.majorVersion == 4)
            name = QStringLiteral("Windows NT");
        else if (record.minorVersion == 0)
            name = QStringLiteral("Windows 2000");
        else
            name = QStringLiteral("Windows XP");
    }
    return name;
}

QString GetWindowsVersionName(Platform& platform) {
    return windowsVersionName(platform.versionRecord());
}
