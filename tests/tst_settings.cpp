// Settings from the store to memory at start-up, and from the settings window back to the store.
#include "app/settings/SettingsSaving.h"
#include "program/StartUp.h"
#include "tests/support/WindowTestHelpers.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

class TestSettings : public StoreTestCase {
    Q_OBJECT

    AppSettings load() {
        AppSettings s;
        loadSettings(s, store->settingsStore(), *platform, [] { QFAIL("date asked for"); });
        return s;
    }

private slots:
    // Every key has its own place in the file, and the families run in index order.
    void keyTable() {
        QSet<QString> places;
        for (std::size_t i = 0; i < settingsKeyCount; ++i)
            places.insert(SettingsKey::section(SettingsKeys(i)) + u'/' + SettingsKey::name(SettingsKeys(i)));
        QCOMPARE(places.size(), qsizetype(settingsKeyCount));
        QCOMPARE(SettingsKey::name(SettingsKey::labelTop(2)) +
                     SettingsKey::name(SettingsKey::nth(SettingsKeys::OptFont2_0, 3)),
                 u"Label_Top(2)OptFont2(3)"_s);
    }
    // The date is asked first; defaults go to the file, positions stay in memory, and the next start writes nothing.
    void firstStart_data() {
        QTest::addColumn<QString>("button");
        QTest::newRow("了解") << "Command1_0";
        QTest::newRow("キャンセル") << "Command1_1";
    }
    void firstStart() {
        QFETCH(QString, button);
        platform->screenSize = QSizeF(15361, 11521);
        platform->clock.setTime(QTime(13, 5, 30, 999));
        const bool ok = button == u"Command1_0";
        whenModalOpens([&](QWidget* modal) {
            QVERIFY(store->keys().isEmpty());
            QTest::mouseClick(modal->findChild<QPushButton*>(button), Qt::LeftButton);
        });
        const auto window = startUp(context());
        QCOMPARE(std::tuple(window && window->isVisible(), !platform->ended, !store->keys().isEmpty(),
                            platform->messages.size()),
                 std::tuple(ok, ok, ok, qsizetype(ok)));
        if (!ok)
            return;
        QCOMPARE(window->Label1[2]->text(), u"1"_s);
        for (const char* key : {"Position/M_Left", "Position/Label_Top(0)", "Config/OptBFile"})
            QVERIFY2(!store->keys().contains(QLatin1String(key)), key);
        QCOMPARE(store->value(Section::Config, u"OptReturn"_s), u"600"_s);
        const AppSettings& s = settings;
        QCOMPARE(
            QStringList({s.M_Left, s.M_Top, QString::number(s.MinimizedAt), s.TimeText, s.HelpFilePath}).join(u'|'),
            u"2880.5|2110.5|47130|午後 01:05|/opt/peltra/PELTRA.HLP"_s);
        const QByteArray written = store->fileBytes();
        QCOMPARE(load().TheDate, QDate(2026, 12, 7));
        QCOMPARE(store->fileBytes(), written);
    }

    void laterStartUsesTheStore() {
        store->presetFile("[Config]\nTheDate=2027/03/01\nOptMsg%280%29=卒業まであと\n"
                          "[Position]\nOptSize=4\nM_Left=1500\nM_Top=750\n");
        const auto window = startUp(context());
        QVERIFY(window && platform->messages.isEmpty());
        QCOMPARE(window->Label1[0]->text() + window->Label1[2]->text(), u"卒業まであと85"_s);
        QCOMPARE(window->windowPosition(), QPointF(1500, 750));
        const QSizeF size = window->windowOuterSize() - QSizeF(4700, 3650);
        QVERIFY(qAbs(size.width()) < 15.5 && qAbs(size.height()) < 15.5);
    }

    // Unusable stored texts give the default in memory and a window; the stored text stays.
    void unusableStoredValues_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("inMemory");
        // clang-format off
        QTest::newRow("delay not a number") << "Config/OptReturn" << "abc" << "600";
        QTest::newRow("size unknown") << "Position/OptSize" << "巨大" << "2 9600";
        QTest::newRow("label far away") << "Position/Label_Top(0)" << "1e300" << "680";
        QTest::newRow("bold maybe") << "Fonts/OptFont(2)" << "maybe" << "False";
        // clang-format on
    }
    void unusableStoredValues() {
        QFETCH(QString, key);
        QFETCH(QString, stored);
        store->preset(Section::Config, u"TheDate"_s, u"2027/03/01"_s);
        store->preset(key.section(u'/', 0, 0), key.section(u'/', 1), stored);
        const AppSettings s = load();
        const QHash<QString, QString> fields{{u"Config/OptReturn"_s, s.OptReturn.toString()},
                                             {u"Position/OptSize"_s, s.OptSize + u" %1"_s.arg(s.WinWidth)},
                                             {u"Position/Label_Top(0)"_s, s.Label_Top[0]},
                                             {u"Fonts/OptFont(2)"_s, s.OptFont[2]}};
        QTEST(fields.value(key), "inMemory");
        QVERIFY(startUp(context()));
        QCOMPARE(store->contents().value(key), stored);
    }

    // Saved at the size in force, a stored position stays as it was written, even one not read.
    void sameSizeKeepsStoredPositions() {
        store->presetFile("[Config]\nTheDate=2027/03/01\n[Position]\nOptSize=3\nLabel_Top%280%29=1e300\n");
        AppSettings s = load();
        QVERIFY(writeStoredValues(store->settingsStore(), SaveInitialTab(s, {10, 3}, platform->now())));
        QCOMPARE(store->value(Section::Position, u"Label_Top(0)"_s), u"1e300"_s);
    }

    // Positions scale with the window, multiplied before divided; those that cannot are left alone.
    void rescalePositions() {
        for (const auto& [from, to, upperLeft, count, first] : {std::tuple(2, 0, u"160"_s, 6, u"256"_s),
                                                                {0, 4, u"160"_s, 6, u"48.95833"_s},
                                                                {-1, 0, u"160"_s, 0, QString()},
                                                                {2, 5, u"160"_s, 0, QString()},
                                                                {2, 3, u"abc"_s, 5, u"509.5342"_s}}) {
            AppSettings s;
            s.Label_Left = {upperLeft, u"160"_s, u"3000"_s}, s.Label_Top = {u"680"_s, u"4740"_s, u"2130"_s};
            const QList<StoredValue> written = rescaleLabelPositions(s, from, to);
            QCOMPARE(written.size(), count);
            QCOMPARE(written.value(0).value, first); // with "abc", the first is Label_Top(0), scaled by the heights
            QCOMPARE(s.Label_Left[0], count && upperLeft == u"160" ? first : upperLeft);
        }
    }
};

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
