#pragma once

#include <QString>

struct VersionRecord;
class Platform;

// Names the running system from its version record: "Windows 95" … "Windows XP", or empty.
QString windowsVersionName(const VersionRecord& record);
QString GetWindowsVersionName(Platform& platform);
