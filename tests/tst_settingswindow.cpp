// The settings window: what it shows of the store, what each way out saves, what its pickers change,
// and what the countdown window shows afterwards.
#include "app/FontSetup.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "dialogs/SetteiPickers.h"
#include "tests/support/WindowTestHelpers.h"

#include <QtTest>
#include <QtWidgets>

enum Button { Ok, Cancel, Apply, Help, CloseBox, Escape, Enter };

class TestSettingsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    std::unique_ptr<SETTEI> window;
    QVariant picked;      // what the pickers answer: a colour, font or path; none: cancelled
    QVariantList offered; // what the pickers were offered: a colour, a font, or a folder and the filters

    void preset(const QStringList& values) { // "Section/Key=text"
        for (const QString& value : values)
            store->preset(value.section(u'/', 0, 0), value.section(u'/', 1).section(u'=', 0, 0),
                          value.section(u'=', 1));
    }
    [[nodiscard]] QString stored(const QString& path) const {
        return store->value(path.section(u'/', 0, 0), path.section(u'/', 1));
    }
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static QColor centreColour(QWidget* widget) {
        const QImage picture = widget->grab().toImage();
        return picture.pixelColor(picture.rect().center());
    }
    template <typename T> std::optional<T> answer() {
        return picked.metaType() == QMetaType::fromType<T>() ? std::optional(picked.value<T>()) : std::nullopt;
    }

    // The settings window on the store as it is now (or on the settings in memory), on the given page.
    void open(int page = 0, bool reload = true) {
        if (reload)
            loadFreshSettings(*platform);
        window = std::make_unique<SETTEI>();
        window->pickers = {
            [this](QWidget*, const QColor& initial) { return offered << initial, answer<QColor>(); },
            [this](QWidget*, const QFont& initial) { return offered << initial, answer<QFont>(); },
            [this](QWidget*, const QString& folder, const QStringList& filters) {
                return offered << QStringList(folder) + filters, answer<QString>();
            },
        };
        window->show();
        window->SSTab1->setCurrentIndex(page);
    }

private slots:
    // As the program does at start-up: the stored Windows font names stand for installed fonts.
    void initTestCase() { installFontSubstitutions(); }

    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        preset({"Config/TheDate=2026/12/24"});
        picked.clear();
        offered.clear();
    }

    void cleanup() {
        window.reset();
        store.reset();
        platform.reset();
    }

    void showsTheStore() {
        // The page last recorded is shown even when no longer remembered; colours as first written and
        // as the picker writes them.
        preset({"Position/OptCent=1", "Config/OptDbl=0", "Config/OptDateTime=1", "Config/OptBM=2", "Config/OptHaik=1",
                "Config/OptMsgMove=0", "Config/OptLAct=0", "Config/OptLATab=2", "Config/OptReturn=1800",
                "Position/OptSize=3", "Config/OptColor(2)=&H00FF0000&", "Config/OptColor(3)=8454143",
                "Config/OptMsg(0)=<b>あと</b>", "Fonts/OptFont(0)=IPAGothic", "Fonts/OptFont(2)=True",
                "Fonts/OptFont2(0)=<i>IPAPMincho</i>", "Fonts/OptFont2(2)=True"});
        open(-1);
        QCOMPARE(window->SSTab1->currentIndex(), 2);
        SetteiInitialPage* initial = window->initialPage;
        QCOMPARE(initial->Label4->text(), QStringLiteral("30"));
        QVERIFY(initial->Option1[3]->isChecked());
        QCOMPARE(centreColour(initial->Command3[2]), QColor(Qt::blue));
        QCOMPARE(centreColour(initial->Command3[3]), QColor(0xFF, 0xFF, 0x80));
        SetteiMessagePage* messages = window->messagePage;
        QString ticked;
        for (const QCheckBox* box : window->environmentPage->Check1)
            ticked += box->isChecked() ? u'1' : u'0';
        for (const QCheckBox* box : {messages->Check2[0], messages->Check2[1], messages->Check3[0]})
            ticked += box->isChecked() ? u'1' : u'0';
        QCOMPARE(ticked, QStringLiteral("1010100101"));
        QCOMPARE(messages->Text2[0]->text(), QStringLiteral("<b>あと</b>"));
        QCOMPARE(messages->Label2[0]->text(), QStringLiteral("IPAGothic"));
        QCOMPARE(messages->Label2[1]->textFormat(), Qt::PlainText); // as typed, never as rich text
    }

    // The arrows step five minutes within 5 and 360; the wheel as the arrows, away from the user raising.
    void spinner_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("steps"); // +1 upper arrow, -1 lower arrow, else a wheel turn
        QTest::addColumn<int>("minutes");
        QTest::newRow("upper arrow stops at 360") << 350 << QList<int>{1, 1, 1} << 360;
        QTest::newRow("lower arrow stops at 5") << 10 << QList<int>{-1, -1} << 5;
        QTest::newRow("wheel towards the user") << 360 << QList<int>{-240} << 350;
        QTest::newRow("half notches add up") << 350 << QList<int>{60, 60} << 355;
    }
    void spinner() {
        QFETCH(int, start);
        QFETCH(QList<int>, steps);
        QFETCH(int, minutes);
        open(1);
        QScrollBar* spinner = window->initialPage->VScroll1;
        spinner->setValue(start);
        for (int step : steps) {
            QWheelEvent wheel(QPointF(5, 5), spinner->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, step), Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            if (step == 1 || step == -1)
                QTest::mouseClick(spinner, Qt::LeftButton, {},
                                  QPoint(spinner->width() / 2, step > 0 ? 2 : spinner->height() - 3));
            else
                QApplication::sendEvent(spinner, &wheel);
        }
        QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
    }

    // "OK" saves every page and "適用" the page shown; every other way out saves nothing, and "ヘルプ"
    // opens the topic of the page shown.
    void saving_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("saved"); // the pages
        QTest::newRow("OK") << 1 << int(Ok) << "012";
        QTest::newRow("適用 on 環境設定") << 0 << int(Apply) << "0";
        QTest::newRow("適用 on 初期設定") << 1 << int(Apply) << "1";
        QTest::newRow("適用 on メッセージ等") << 2 << int(Apply) << "2";
        QTest::newRow("キャンセル") << 2 << int(Cancel) << "";
        QTest::newRow("close box") << 1 << int(CloseBox) << "";
        QTest::newRow("Escape") << 0 << int(Escape) << "";
        QTest::newRow("ヘルプ") << 2 << int(Help) << "";
        QTest::newRow("Enter in a message box, a font button pressed before") << 2 << int(Enter) << "012";
    }
    void saving() {
        QFETCH(int, tab);
        QFETCH(int, button);
        QFETCH(QString, saved);
        open(tab);
        const AppSettings before = appSettings();
        const QString mark = QStringLiteral("mark");
        preset({"Config/OptBM=mark", "Config/OptReturn=mark", "Position/OptSize=mark", "Config/OptMsg(1)=mark",
                "Position/Label_Top(0)=mark"});
        click(window->environmentPage->Check1[3]); // return sound off
        window->initialPage->VScroll1->setValue(45);
        click(window->initialPage->Option1[4]);
        window->messagePage->Text2[1]->setText(QStringLiteral("合格！"));
        if (button == Enter) {
            click(window->messagePage->Command2[0]);
            window->messagePage->Text2[0]->setFocus();
            QTest::keyClick(window->messagePage->Text2[0], Qt::Key_Return);
        } else if (button == CloseBox)
            window->close();
        else if (button == Escape)
            QTest::keyClick(window.get(), Qt::Key_Escape);
        else
            click(window->Command1[button]);
        QCOMPARE(window->isVisible(), button == Apply || button == Help);
        QCOMPARE(window->result(), saved.size() == 3 ? int(QDialog::Accepted) : int(QDialog::Rejected));
        // A changed value of each page; the labels move with the new size, in the store with it.
        const QStringList values{stored("Config/OptBM"), stored("Config/OptReturn") + stored("Position/OptSize"),
                                 stored("Config/OptMsg(1)")};
        QCOMPARE(values, (QStringList{saved.contains(u'0') ? "2" : mark, saved.contains(u'1') ? "27004" : mark + mark,
                                      saved.contains(u'2') ? "合格！" : mark}));
        QCOMPARE(stored("Position/Label_Top(0)") == mark, !saved.contains(u'1'));
        if (saved.isEmpty())
            QCOMPARE(std::tuple(appSettings().OptBM, appSettings().OptReturn, appSettings().OptMsg[1]),
                     std::tuple(before.OptBM, before.OptReturn, before.OptMsg[1]));
        QCOMPARE(platform->helpRequests.size(), button == Help ? 1 : 0);
        for (const ScriptedPlatform::HelpRequest& request : platform->helpRequests)
            QCOMPARE(std::tuple(request.window.data(), request.helpFile, request.command, request.data),
                     std::tuple(window.get(), appSettings().HelpFilePath, 1, 11 + tab));
    }

    // A picked colour holds at once, even if the window is then cancelled; the store gets it with its page.
    void colourPicker() {
        open(1);
        const auto contents = store->contents();
        picked = QColor(1, 2, 3);
        click(window->initialPage->Command3[4]); // the window's own colour, black
        QCOMPARE(offered, QVariantList{QColor(Qt::black)});
        click(window->Command1[Cancel]);
        QCOMPARE(store->contents(), contents);
        open(1, false);
        QCOMPARE(centreColour(window->initialPage->Command3[4]), QColor(1, 2, 3));
        click(window->Command1[Apply]);
        QCOMPARE(stored("Config/OptColor(4)"), QString::number(0x030201)); // red in the lowest byte
    }

    // So does a picked font, offered as the installed family that stands for the stored name.
    void fontPicker_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QFont>("answer");
        QTest::addColumn<QString>("shown"); // the name, and the flags Check2(0), Check2(1), Check3(0)
        QTest::addColumn<QString>("texts");
        QTest::newRow("message, bold italic") << 0 << QFont("IPAGothic", 14, QFont::Bold, true) << "IPAGothic 110"
                                              << "IPAGothic,14,True,True";
        QTest::newRow("count, bold") << 1 << QFont("IPAMincho", 11, QFont::Bold) << "IPAMincho 001"
                                     << "IPAMincho,11,True,False";
        QTest::newRow("count, its stand-in: the name stays") << 1 << QFont("IPAPMincho", 20) << "ＭＳ Ｐ明朝 000"
                                                             << "ＭＳ Ｐ明朝,20,False,False";
    }
    void fontPicker() {
        QFETCH(int, index);
        QFETCH(QFont, answer);
        QFETCH(QString, shown);
        QFETCH(QString, texts);
        open(2);
        const auto contents = store->contents();
        picked = answer;
        SetteiMessagePage* page = window->messagePage;
        click(page->Command2[std::size_t(index)]);
        QCOMPARE(offered.size(), 1);
        QCOMPARE(offered[0].value<QFont>().family(), QFontInfo(offered[0].value<QFont>()).family());
        QString flags;
        for (const QCheckBox* box : {page->Check2[0], page->Check2[1], page->Check3[0]})
            flags += box->isChecked() ? u'1' : u'0';
        QCOMPARE(page->Label2[std::size_t(index)]->text() + u' ' + flags, shown);
        click(window->Command1[Cancel]);
        const auto& font = index == 0 ? appSettings().OptFont : appSettings().OptFont2;
        QCOMPARE(QStringList(font.begin(), font.end()).join(u','), texts);
        QCOMPARE(store->contents(), contents);
    }

    void filePicker() {
        preset({"Config/OptBFile=/old.bmp"});
        open();
        SetteiEnvironmentPage* page = window->environmentPage;
        QVERIFY(!page->Command4->isEnabled());
        click(page->Check1[4]); // background picture on
        click(page->Command4);  // and the picker cancelled
        QCOMPARE(stored("Config/OptBFile"), QStringLiteral("/old.bmp"));
        picked = QStringLiteral("/home/user/写真/桜.JPG");
        click(page->Command4);
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered[1].toStringList().first(), platform->dataFolder); // the folder, then the filters
        QVERIFY(offered[1].toStringList().join(u' ').contains(QLatin1String("*.JPG")));
        click(window->Command1[Cancel]); // stored at once, and kept when the window is cancelled
        QCOMPARE(stored("Config/OptBFile"), picked.toString());
        QCOMPARE(appSettings().OptBFile, picked.toString());
    }

    void centring_data() {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<QPointF>("place");
        QTest::addColumn<QPointF>("after"); // (15360 - 9600) / 2 and (11520 - 7300) / 2 when centred
        QTest::newRow("centring ticked") << true << QPointF(1500, 900) << QPointF(2880, 2110);
        QTest::newRow("not ticked, at the corner: centred once") << false << QPointF(0, 0) << QPointF(2880, 2110);
        QTest::newRow("not ticked, elsewhere: stays") << false << QPointF(1500, 900) << QPointF(1500, 900);
    }
    void centring() {
        QFETCH(bool, centre);
        QFETCH(QPointF, place);
        QFETCH(QPointF, after);
        preset({"Position/M_Left=" + QString::number(place.x()), "Position/M_Top=" + QString::number(place.y())});
        loadFreshSettings(*platform);
        const auto countdown = openCountdownWindow();
        QPointF whileOpen;
        whenModalOpens([&](QWidget* modal) {
            auto* settings = qobject_cast<SETTEI*>(modal);
            if (centre)
                click(settings->environmentPage->Check1[0]);
            click(settings->Command1[Apply]);
            whileOpen = countdown->windowPosition();
            click(settings->Command1[Cancel]);
        });
        countdown->mnuOptSettei->trigger();
        QCOMPARE(whileOpen, after); // moved when the page is applied, not when the window closes
        QCOMPARE(countdown->windowPosition(), after);
        QCOMPARE(stored("Position/OptCent"), QString(centre ? "1" : "0"));
        QVERIFY(centre || appSettings().M_Left == QString::number(after.x()));
    }

    void newSizeReachesTheCountdownWindow() {
        loadFreshSettings(*platform);
        const auto countdown = openCountdownWindow();
        countdown->layout().setLabelPosition(0, {160, 680});
        whenModalOpens([&](QWidget* modal) {
            auto* settings = qobject_cast<SETTEI*>(modal);
            click(settings->initialPage->Option1[0]);
            click(settings->Command1[Ok]);
        });
        countdown->mnuOptSettei->trigger();
        constexpr double pixel = 15.5; // read-backs snap to whole pixels of 15 twips
        QVERIFY(qAbs(countdown->windowOuterSize().width() - 15360) < pixel);
        QVERIFY(qAbs(countdown->windowOuterSize().height() - 11520) < pixel);
        QVERIFY(qAbs(countdown->layout().labelPosition(0).y() - 1073.096) < pixel);
        QCOMPARE(countdown->Label1[0]->font().pointSizeF(), 34.0);
        // Size and positions go to the store together.
        QCOMPARE(stored("Position/OptSize") + u' ' + stored("Position/Label_Top(0)"), QStringLiteral("0 1073.096"));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
