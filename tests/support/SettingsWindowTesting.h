#pragma once

#include "dialogs/SETTEI.h"
#include "tests/support/TestStore.h"

#include <QMap>
#include <QStringList>
#include <QWidget>

#include <memory>

// Helpers of the settings window's tests.
namespace SettingsWindowTesting {

// Keys that each page writes, as "Section/Key".
inline const QStringList environmentKeys{"Position/OptCent", "Config/OptDbl",  "Config/OptDateTime",
                                         "Config/OptBM",     "Config/OptHaik", "Config/OptMsgMove",
                                         "Config/OptLAct",   "Config/OptLATab"};
inline const QStringList initialKeys{"Config/OptReturn",   "Position/OptSize",   "Config/OptColor(0)",
                                     "Config/OptColor(1)", "Config/OptColor(2)", "Config/OptColor(3)",
                                     "Config/OptColor(4)"};
inline const QStringList messageKeys{"Config/OptMsg(0)",  "Config/OptMsg(1)", "Fonts/OptFont(0)",  "Fonts/OptFont(1)",
                                     "Fonts/OptFont(2)",  "Fonts/OptFont(3)", "Fonts/OptFont2(0)", "Fonts/OptFont2(1)",
                                     "Fonts/OptFont2(2)", "Fonts/OptFont2(3)"};

inline QString sectionOf(const QString& path) {
    return path.section(u'/', 0, 0);
}

inline QString keyOf(const QString& path) {
    return path.section(u'/', 1);
}

inline QMap<QString, QString> storeContents(const TestStore& store) {
    QMap<QString, QString> contents;
    for (const QString& path : store.keys())
        contents[path] = store.value(sectionOf(path), keyOf(path));
    return contents;
}

// Puts a mark in the store under each key, to see which keys a save writes.
inline void markStore(TestStore& store, const QStringList& paths) {
    for (const QString& path : paths)
        store.preset(sectionOf(path), keyOf(path), QStringLiteral("mark"));
}

// A settings window on the screen whose pickers fail the test when they open.
inline std::unique_ptr<SETTEI> openSettings() {
    auto window = std::make_unique<SETTEI>();
    window->pickers = {
        [](QWidget*, const QColor&) -> std::optional<QColor> { qFatal("colour picker opened"); },
        [](QWidget*, const QFont&) -> std::optional<QFont> { qFatal("font picker opened"); },
        [](QWidget*, const QString&, const QStringList&) -> std::optional<QString> { qFatal("file picker opened"); },
    };
    window->show();
    return window;
}

} // namespace SettingsWindowTesting
