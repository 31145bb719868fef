// The settings window: what it shows of the store, what each way out saves, what its pickers change,
// and what the countdown window shows afterwards.
#include "app/AppSettings.h"
#include "app/FontSetup.h"
#include "countdown/PELTRA.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "dialogs/SetteiPickers.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QWheelEvent>

#include <memory>

namespace {
// The keys each page writes, as "Section/Key".
const QStringList environmentKeys{"Position/OptCent", "Config/OptDbl",     "Config/OptDateTime", "Config/OptBM",
                                  "Config/OptHaik",   "Config/OptMsgMove", "Config/OptLAct",     "Config/OptLATab"};
const QStringList initialKeys{"Config/OptReturn",   "Position/OptSize",   "Config/OptColor(0)", "Config/OptColor(1)",
                              "Config/OptColor(2)", "Config/OptColor(3)", "Config/OptColor(4)"};
const QStringList messageKeys{"Config/OptMsg(0)",  "Config/OptMsg(1)", "Fonts/OptFont(0)",  "Fonts/OptFont(1)",
                              "Fonts/OptFont(2)",  "Fonts/OptFont(3)", "Fonts/OptFont2(0)", "Fonts/OptFont2(1)",
                              "Fonts/OptFont2(2)", "Fonts/OptFont2(3)"};
enum Button { Ok, Cancel, Apply, Help, CloseBox, Escape };

QColor centreColour(QWidget* widget) {
    const QImage picture = widget->grab().toImage();
    return picture.pixelColor(picture.rect().center());
}

QStringList fontTexts(const std::array<QString, 4>& font) {
    return {font.begin(), font.end()};
}
} // namespace

class TestSettingsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    std::unique_ptr<SETTEI> window;
    // The pickers' answers (none: cancelled), and what they were offered.
    std::optional<QColor> colourAnswer;
    std::optional<QFont> fontAnswer;
    std::optional<QString> fileAnswer;
    QList<QColor> coloursOffered;
    QList<QFont> fontsOffered;
    QList<std::pair<QString, QStringList>> filesAsked; // folder, filters

    void preset(const QString& path, const QString& value) {
        store->preset(path.section(u'/', 0, 0), path.section(u'/', 1), value);
    }
    [[nodiscard]] QString stored(const QString& path) const {
        return store->value(path.section(u'/', 0, 0), path.section(u'/', 1));
    }
    void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The settings window on the store as it is now (or on the settings in memory), on the given page.
    void open(int page = -1, bool reload = true) {
        if (reload)
            loadFreshSettings(*platform);
        window = std::make_unique<SETTEI>();
        window->pickers = {
            [this](QWidget*, const QColor& initial) {
                coloursOffered << initial;
                return colourAnswer;
            },
            [this](QWidget*, const QFont& initial) {
                fontsOffered << initial;
                return fontAnswer;
            },
            [this](QWidget*, const QString& folder, const QStringList& filters) {
                filesAsked << std::pair(folder, filters);
                return fileAnswer;
            },
        };
        window->show();
        if (page >= 0)
            window->SSTab1->setCurrentIndex(page);
    }

private slots:
    // As the program does at start-up: the stored Windows font names stand for installed fonts.
    void initTestCase() { installFontSubstitutions(); }

    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        preset(QStringLiteral("Config/TheDate"), QStringLiteral("2026/12/24"));
    }

    void cleanup() {
        window.reset();
        store.reset();
        platform.reset();
        colourAnswer.reset();
        fontAnswer.reset();
        fileAnswer.reset();
        coloursOffered.clear();
        fontsOffered.clear();
        filesAsked.clear();
    }

    void showsTheStore_data() {
        QTest::addColumn<bool>("remember");
        QTest::addColumn<int>("tab");
        QTest::newRow("page remembered") << true << 1;
        QTest::newRow("not remembered: still shown, no longer recorded") << false << 2;
    }
    void showsTheStore() {
        QFETCH(bool, remember);
        QFETCH(int, tab);
        // clang-format off
        const QList<std::pair<const char*, const char*>> values{
            {"Position/OptCent", "1"}, {"Config/OptDbl", "0"}, {"Config/OptDateTime", "1"}, {"Config/OptBM", "2"},
            {"Config/OptHaik", "1"}, {"Config/OptMsgMove", "0"}, {"Config/OptReturn", "1800"}, {"Position/OptSize", "3"},
            // Colours as first written and as the picker writes them.
            {"Config/OptColor(2)", "&H00FF0000&"}, {"Config/OptColor(3)", "8454143"},
            {"Config/OptMsg(0)", "<b>あと</b>"}, {"Fonts/OptFont(0)", "IPAGothic"}, {"Fonts/OptFont(2)", "True"},
            {"Fonts/OptFont2(0)", "<i>IPAPMincho</i>"}, {"Fonts/OptFont2(2)", "True"}};
        // clang-format on
        for (const auto& [path, value] : values)
            preset(QString::fromUtf8(path), QString::fromUtf8(value));
        preset(QStringLiteral("Config/OptLAct"), remember ? QStringLiteral("1") : QStringLiteral("0"));
        preset(QStringLiteral("Config/OptLATab"), QString::number(tab));
        open();
        QCOMPARE(window->SSTab1->currentIndex(), tab);
        QList<bool> ticked;
        for (const QCheckBox* box : window->environmentPage->Check1)
            ticked << box->isChecked();
        QCOMPARE(ticked, (QList<bool>{true, false, true, false, true, false, remember}));
        SetteiInitialPage* initial = window->initialPage;
        QCOMPARE(initial->Label4->text(), QStringLiteral("30"));
        QVERIFY(initial->Option1[3]->isChecked());
        QCOMPARE(centreColour(initial->Command3[2]), QColor(Qt::blue));
        QCOMPARE(centreColour(initial->Command3[3]), QColor(0xFF, 0xFF, 0x80));
        SetteiMessagePage* messages = window->messagePage;
        QCOMPARE(messages->Text2[0]->text(), QStringLiteral("<b>あと</b>"));
        QCOMPARE(messages->Label2[0]->text(), QStringLiteral("IPAGothic"));
        QCOMPARE(messages->Label2[1]->textFormat(), Qt::PlainText); // as typed, never as rich text
        QCOMPARE((QList<bool>{messages->Check2[0]->isChecked(), messages->Check2[1]->isChecked(),
                              messages->Check3[0]->isChecked()}),
                 (QList<bool>{true, false, true}));
    }

    void unusualStoredValues_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("minutes");
        QTest::newRow("630 s: half to even, down") << "Config/OptReturn"
                                                   << "630" << 10;
        QTest::newRow("690 s: half to even, up") << "Config/OptReturn"
                                                 << "690" << 12;
        QTest::newRow("interval not a number") << "Config/OptReturn"
                                               << "abc" << 10;
        QTest::newRow("no such page") << "Config/OptLATab"
                                      << "7" << 10;
        QTest::newRow("no such size") << "Position/OptSize"
                                      << "9" << 10;
    }
    void unusualStoredValues() {
        QFETCH(QString, path);
        QFETCH(QString, text);
        QFETCH(int, minutes);
        preset(path, text);
        open();
        QCOMPARE(window->SSTab1->currentIndex(), 0);
        QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
        QVERIFY(window->initialPage->Option1[2]->isChecked());
        // The stored text stays until the page that shows it is saved.
        click(window->Command1[Cancel]);
        QCOMPARE(stored(path), text);
    }

    // The arrows step five minutes within 5 and 360; the wheel as the arrows, away from the user raising.
    void spinner_data() {
        QTest::addColumn<int>("start");
        QTest::addColumn<QList<int>>("steps"); // +1 upper arrow, -1 lower arrow, else a wheel turn
        QTest::addColumn<int>("minutes");
        QTest::newRow("upper arrow") << 10 << QList<int>{1} << 15;
        QTest::newRow("lower arrow stops at 5") << 10 << QList<int>{-1, -1, -1} << 5;
        QTest::newRow("upper arrow stops at 360") << 355 << QList<int>{1, 1} << 360;
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
            if (step == 1 || step == -1) {
                QTest::mouseClick(spinner, Qt::LeftButton, {},
                                  QPoint(spinner->width() / 2, step > 0 ? 2 : spinner->height() - 3));
                continue;
            }
            QWheelEvent wheel(QPointF(5, 5), spinner->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, step), Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(spinner, &wheel);
        }
        QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
        click(window->Command1[Apply]);
        QCOMPARE(stored(QStringLiteral("Config/OptReturn")), QString::number(minutes * 60));
    }

    // "了解" saves every page and "適用" the page shown; every other way out saves nothing.
    void saving_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("button");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("了解") << 1 << int(Ok) << environmentKeys + initialKeys + messageKeys;
        QTest::newRow("適用 on 環境設定") << 0 << int(Apply) << environmentKeys;
        QTest::newRow("適用 on 初期設定") << 1 << int(Apply) << initialKeys;
        QTest::newRow("適用 on メッセージ等") << 2 << int(Apply) << messageKeys;
        QTest::newRow("キャンセル") << 2 << int(Cancel) << QStringList();
        QTest::newRow("close box") << 1 << int(CloseBox) << QStringList();
        QTest::newRow("Escape") << 0 << int(Escape) << QStringList();
    }
    void saving() {
        QFETCH(int, tab);
        QFETCH(int, button);
        QFETCH(QStringList, written);
        open(tab);
        const AppSettings before = appSettings();
        for (const QString& path : environmentKeys + initialKeys + messageKeys)
            preset(path, QStringLiteral("mark"));
        click(window->environmentPage->Check1[3]); // return sound off
        window->initialPage->VScroll1->setValue(45);
        click(window->initialPage->Option1[4]);
        window->messagePage->Text2[1]->setText(QStringLiteral("合格！"));
        if (button == CloseBox)
            window->close();
        else if (button == Escape)
            QTest::keyClick(window.get(), Qt::Key_Escape);
        else
            click(window->Command1[button]);

        QCOMPARE(window->isVisible(), button == Apply);
        QCOMPARE(window->result(), button == Ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
        for (const QString& path : environmentKeys + initialKeys + messageKeys)
            QVERIFY2((stored(path) == QLatin1String("mark")) != written.contains(path), qPrintable(path));
        const QMap<QString, QString> changed{{"Config/OptBM", "2"},
                                             {"Config/OptReturn", "2700"},
                                             {"Position/OptSize", "4"},
                                             {"Config/OptMsg(1)", "合格！"}};
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            if (written.contains(it.key()))
                QCOMPARE(stored(it.key()), it.value());
        // Labels move with the new size, in the store with it.
        QCOMPARE(stored(QStringLiteral("Position/Label_Top(0)")).isEmpty(), !written.contains("Position/OptSize"));
        if (written.isEmpty())
            QCOMPARE(std::tuple(appSettings().OptBM, appSettings().OptReturn, appSettings().OptSize,
                                appSettings().OptMsg[1]),
                     std::tuple(before.OptBM, before.OptReturn, before.OptSize, before.OptMsg[1]));
    }

    void helpOfThePageShown_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("context");
        QTest::newRow("環境設定") << 0 << 11;
        QTest::newRow("初期設定") << 1 << 12;
        QTest::newRow("メッセージ等") << 2 << 13;
    }
    void helpOfThePageShown() {
        QFETCH(int, tab);
        QFETCH(int, context);
        open(tab);
        const QMap<QString, QString> contents = store->contents();
        click(window->Command1[Help]);
        QCOMPARE(platform->helpRequests.size(), 1);
        const ScriptedPlatform::HelpRequest& request = platform->helpRequests[0];
        QCOMPARE(request.window.data(), window.get());
        QCOMPARE(std::tuple(request.helpFile, request.command, request.data),
                 std::tuple(appSettings().HelpFilePath, 1, context));
        QVERIFY(window->isVisible());
        QCOMPARE(store->contents(), contents);
    }

    // Enter in a text box or the spinner confirms the window; on a focused button it presses that button.
    void enterKey_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<qsizetype>>("requests"); // colour, font and file picker
        QTest::newRow("message box") << 2 << "Text2_0" << QList<qsizetype>{0, 0, 0};
        QTest::newRow("spinner") << 1 << "VScroll1" << QList<qsizetype>{0, 0, 0};
        QTest::newRow("colour swatch") << 1 << "Command3_2" << QList<qsizetype>{1, 0, 0};
        QTest::newRow("count font") << 2 << "Command2_1" << QList<qsizetype>{0, 1, 0};
        QTest::newRow("background file") << 0 << "Command4" << QList<qsizetype>{0, 0, 1};
    }
    void enterKey() {
        QFETCH(int, page);
        QFETCH(QString, control);
        QFETCH(QList<qsizetype>, requests);
        preset(QStringLiteral("Config/OptHaik"), QStringLiteral("1"));
        open(2);
        // The font button pressed last does not stay the one that Enter presses.
        click(window->messagePage->Command2[0]);
        fontsOffered.clear();
        window->SSTab1->setCurrentIndex(page);
        auto* focused = window->findChild<QWidget*>(control);
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
        QCOMPARE((QList<qsizetype>{coloursOffered.size(), fontsOffered.size(), filesAsked.size()}), requests);
        QCOMPARE(window->isVisible(), (requests != QList<qsizetype>{0, 0, 0}));
        QCOMPARE(window->result(), window->isVisible() ? int(QDialog::Rejected) : int(QDialog::Accepted));
    }

    void fontDialogKeepsTheSampleInView() {
        int sampleHeight = -1;
        whenModalOpens([&](QWidget* dialog) {
            if (const auto* sample = dialog->findChild<QLineEdit*>(QStringLiteral("qt_fontDialog_sampleEdit")))
                sampleHeight = sample->isVisible() ? sample->height() : 0;
            dialog->close();
        });
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSizeF(20);
        QVERIFY(!SetteiPickers::standard().pickFont(nullptr, font));
        QVERIFY2(sampleHeight >= QFontMetrics(font).height(), qPrintable(QString::number(sampleHeight)));
    }

    // A picked colour holds at once, even if the window is then cancelled; the store gets it with its page.
    void colourPicker_data() {
        QTest::addColumn<QColor>("answer"); // invalid: cancelled
        QTest::addColumn<QString>("text");
        QTest::newRow("picked") << QColor(1, 2, 3) << "197121";
        QTest::newRow("cancelled") << QColor() << "&H00000000&";
    }
    void colourPicker() {
        QFETCH(QColor, answer);
        QFETCH(QString, text);
        open(1);
        const QMap<QString, QString> contents = store->contents();
        if (answer.isValid())
            colourAnswer = answer;
        click(window->initialPage->Command3[4]); // the window's own colour, black
        QCOMPARE(coloursOffered, QList<QColor>{Qt::black});
        QCOMPARE(appSettings().OptColor[4], text);
        click(window->Command1[Cancel]);
        QCOMPARE(appSettings().OptColor[4], text);
        QCOMPARE(store->contents(), contents);
        open(1, false);
        QCOMPARE(centreColour(window->initialPage->Command3[4]), answer.isValid() ? answer : QColor(Qt::black));
    }

    void fontPicker_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QVariant>("answer"); // none: cancelled
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<bool>>("flags"); // Check2(0), Check2(1), Check3(0)
        QFont gothic(QStringLiteral("IPAGothic"));
        gothic.setPointSizeF(14);
        gothic.setBold(true);
        gothic.setItalic(true);
        QFont mincho(QStringLiteral("IPAMincho"));
        mincho.setPointSizeF(10.5);
        mincho.setBold(true);
        QTest::newRow("message, bold italic") << 0 << QVariant(gothic) << QStringList{"IPAGothic", "14", "True", "True"}
                                              << QList<bool>{true, true, false};
        QTest::newRow("count, bold") << 1 << QVariant(mincho) << QStringList{"IPAMincho", "10.5", "True", "False"}
                                     << QList<bool>{false, false, true};
        QTest::newRow("cancelled") << 1 << QVariant() << QStringList{"ＭＳ Ｐ明朝", "20", "False", "False"}
                                   << QList<bool>{false, false, false};
    }
    void fontPicker() {
        QFETCH(int, index);
        QFETCH(QVariant, answer);
        QFETCH(QStringList, texts);
        QFETCH(QList<bool>, flags);
        open(2);
        const QMap<QString, QString> contents = store->contents();
        if (answer.isValid())
            fontAnswer = answer.value<QFont>();
        SetteiMessagePage* page = window->messagePage;
        click(page->Command2[std::size_t(index)]);
        QCOMPARE(fontsOffered.size(), 1);
        QCOMPARE(page->Label2[std::size_t(index)]->text(), texts[0]);
        QCOMPARE(
            (QList<bool>{page->Check2[0]->isChecked(), page->Check2[1]->isChecked(), page->Check3[0]->isChecked()}),
            flags);
        click(window->Command1[Cancel]);
        QCOMPARE(fontTexts(index == 0 ? appSettings().OptFont : appSettings().OptFont2), texts);
        QCOMPARE(store->contents(), contents);
    }

    void fontPickerKeepsTheStoredName() {
        preset(QStringLiteral("Fonts/OptFont(0)"), QStringLiteral("ＭＳ Ｐ明朝"));
        preset(QStringLiteral("Fonts/OptFont(1)"), QStringLiteral("24"));
        preset(QStringLiteral("Fonts/OptFont(2)"), QStringLiteral("True"));
        open(2);
        click(window->messagePage->Command2[0]);
        // Offered as the installed family that stands for the stored name; picked unchanged, the name stays.
        QCOMPARE(fontsOffered.size(), 1);
        QCOMPARE(std::tuple(fontsOffered[0].family(), fontsOffered[0].pointSizeF(), fontsOffered[0].bold()),
                 std::tuple(QStringLiteral("IPAPMincho"), 24.0, true));
        fontAnswer = fontsOffered[0];
        click(window->messagePage->Command2[0]);
        QCOMPARE(fontTexts(appSettings().OptFont), (QStringList{"ＭＳ Ｐ明朝", "24", "True", "False"}));
        QCOMPARE(window->messagePage->Label2[0]->text(), QStringLiteral("ＭＳ Ｐ明朝"));
    }

    void filePicker() {
        preset(QStringLiteral("Config/OptBFile"), QStringLiteral("/old.bmp"));
        open();
        SetteiEnvironmentPage* page = window->environmentPage;
        QVERIFY(!page->Command4->isEnabled());
        click(page->Check1[4]); // background picture on
        click(page->Command4);  // and the picker cancelled
        QCOMPARE(stored(QStringLiteral("Config/OptBFile")), QStringLiteral("/old.bmp"));
        fileAnswer = QStringLiteral("/home/user/写真/桜.JPG");
        click(page->Command4);
        QCOMPARE(filesAsked.size(), 2);
        QCOMPARE(filesAsked[1].first, platform->dataFolder);
        QVERIFY(filesAsked[1].second.join(u' ').contains(QLatin1String("*.JPG")));
        // Stored at once, and kept when the window is cancelled.
        click(window->Command1[Cancel]);
        QCOMPARE(stored(QStringLiteral("Config/OptBFile")), *fileAnswer);
        QCOMPARE(appSettings().OptBFile, *fileAnswer);
    }

    void centring_data() {
        QTest::addColumn<bool>("centre");
        QTest::addColumn<QPointF>("place");
        QTest::addColumn<QPointF>("after");
        // (15360 - 9600) / 2 and (11520 - 7300) / 2
        QTest::newRow("centring ticked") << true << QPointF(1500, 900) << QPointF(2880, 2110);
        QTest::newRow("not ticked, at the corner: centred once") << false << QPointF(0, 0) << QPointF(2880, 2110);
        QTest::newRow("not ticked, elsewhere: stays") << false << QPointF(1500, 900) << QPointF(1500, 900);
    }
    void centring() {
        QFETCH(bool, centre);
        QFETCH(QPointF, place);
        QFETCH(QPointF, after);
        preset(QStringLiteral("Position/M_Left"), QString::number(place.x()));
        preset(QStringLiteral("Position/M_Top"), QString::number(place.y()));
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
        QCOMPARE(stored(QStringLiteral("Position/OptCent")), QString(centre ? "1" : "0"));
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
        QCOMPARE(stored(QStringLiteral("Position/OptSize")), QStringLiteral("0"));
        QCOMPARE(stored(QStringLiteral("Position/Label_Top(0)")), QStringLiteral("1073.096"));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
