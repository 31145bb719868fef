// The settings window: what it shows of the store, what each way out saves, what its pickers change.
#include "app/system/FontSetup.h"
#include "countdown/PictureDecoder.h"
#include "dialogs/SETTEI.h"
#include "dialogs/SetteiEnvironmentPage.h"
#include "dialogs/SetteiInitialPage.h"
#include "dialogs/SetteiMessagePage.h"
#include "tests/support/WindowTestHelpers.h"

#include <QtTest>
#include <QtWidgets>

using namespace Qt::StringLiterals;

enum Button { Ok, Cancel, Apply, Help, CloseBox, Escape, Enter };

class TestSettingsWindow : public QObject {
    Q_OBJECT

    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
    AppSettings settings;
    std::unique_ptr<SETTEI> window;
    QVariant reply;       // what the pickers answer: a colour, font or path; none: cancelled
    QVariantList offered; // what the pickers were offered: a colour, a font, or a folder and the filters

    ProgramContext context() { return {settings, store->settingsStore(), *platform}; }
    void preset(const QStringList& values) { // "Section/Key=text"
        for (const QString& v : values)
            store->preset(v.section(u'/', 0, 0), v.section(u'/', 1).section(u'=', 0, 0), v.section(u'=', 1));
    }
    QString stored(const QString& path) const { return store->value(path.section(u'/', 0, 0), path.section(u'/', 1)); }
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    static QColor centreColour(QWidget* w) { return w->grab().toImage().pixelColor(w->rect().center()); }
    template <typename Boxes> static QString ticks(const Boxes& boxes) {
        QString ticked;
        for (const QAbstractButton* box : boxes)
            ticked += box->isChecked() ? u'1' : u'0';
        return ticked;
    }
    template <typename T> std::optional<T> answer() { return reply.isValid() ? reply.value<T>() : std::optional<T>(); }

    void open(int page = 0, bool reload = true) {
        if (reload)
            loadFreshSettings(settings, store->settingsStore(), *platform);
        window = std::make_unique<SETTEI>(context());
        window->pickers = {
            [this](QWidget*, auto initial) { return offered << initial, answer<QColor>(); },
            [this](QWidget*, auto initial) { return offered << initial, answer<QFont>(); },
            [this](QWidget*, auto dir, auto f) { return offered << dir + u' ' + f.join(u' '), answer<QString>(); },
        };
        window->show();
        window->SSTab1->setCurrentIndex(page);
    }

private slots:
    void initTestCase() { installFontSubstitutions(); } // the stored Windows font names stand for installed ones
    void init() {
        platform = std::make_unique<ScriptedPlatform>();
        store = std::make_unique<TestStore>();
        reply.clear(), offered.clear();
    }
    void cleanup() { window.reset(), store.reset(), platform.reset(); }

    // The wheel steps five minutes within 5 and 360 as the arrows do, away from the user raising.
    void spinner_data() {
        QTest::addColumn<QList<int>>("turns"); // of the wheel, 120 a notch, from the first run's 10 minutes
        QTest::addColumn<int>("minutes");
        QTest::newRow("towards the user: stops at 5") << QList<int>{-120, -120} << 5;
        QTest::newRow("away from the user") << QList<int>{240} << 20;
        QTest::newRow("half notches add up") << QList<int>{60, 60} << 15;
        QTest::newRow("away from the user: stops at 360") << QList<int>(80, 120) << 360;
    }
    void spinner() {
        QFETCH(QList<int>, turns);
        QFETCH(int, minutes);
        open(1);
        QScrollBar* spinner = window->initialPage->VScroll1;
        for (int turn : turns) {
            QWheelEvent wheel({5, 5}, spinner->mapToGlobal(QPointF(5, 5)), {}, {0, turn}, {}, {}, Qt::NoScrollPhase, 0);
            QApplication::sendEvent(spinner, &wheel);
        }
        QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
    }

    // Tab reaches the spinner; its keys step it as its arrows do.
    void spinnerKeys_data() {
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("minutes"); // from the first run's 10
        QTest::newRow("up raises") << QList<int>{Qt::Key_Up, Qt::Key_Up} << 20;
        QTest::newRow("down lowers, stops at 5") << QList<int>{Qt::Key_Down, Qt::Key_Down} << 5;
        QTest::newRow("page up: the top") << QList<int>{Qt::Key_PageUp} << 360;
        QTest::newRow("page down: the bottom") << QList<int>{Qt::Key_Up, Qt::Key_PageDown} << 5;
    }
    void spinnerKeys() {
        QFETCH(QList<int>, keys);
        QFETCH(int, minutes);
        open(1);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QScrollBar* spinner = window->initialPage->VScroll1;
        window->initialPage->Command3[0]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), spinner);
        QCOMPARE(window->initialPage->Label4->frameShape(), QFrame::Box); // the focus shown on the minutes
        for (int key : keys)
            QTest::keyClick(spinner, Qt::Key(key));
        QCOMPARE(window->initialPage->Label4->text(), QString::number(minutes));
        QTest::keyClick(spinner, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), window->initialPage->Command3[0]);
        QCOMPARE(window->initialPage->Label4->frameShape(), QFrame::Panel);
    }

    // Tab into the sizes lands on the one checked, and out of them at the next control; the arrows move the check.
    void sizeOptionsTabStop_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("arrowsDown");
        QTest::addColumn<int>("landsOn");
        QTest::newRow("標準, the first run's") << "2" << 0 << 2;
        QTest::newRow("特大") << "0" << 0 << 0;
        QTest::newRow("小, the last") << "4" << 0 << 4;
        QTest::newRow("中 moved to with an arrow") << "2" << 1 << 3;
    }
    void sizeOptionsTabStop() {
        QFETCH(QString, stored);
        QFETCH(int, arrowsDown);
        QFETCH(int, landsOn);
        preset({"Position/OptSize=" + stored});
        open(1);
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const auto tabFrom = [](QWidget* from, bool back = false) {
            from->setFocus();
            QTest::keyClick(from, back ? Qt::Key_Backtab : Qt::Key_Tab, back ? Qt::ShiftModifier : Qt::NoModifier);
            return QApplication::focusWidget();
        };
        const auto& options = window->initialPage->Option1;
        QWidget* checked = tabFrom(window->initialPage->Command3[4]);
        for (int i = 0; i < arrowsDown; ++i)
            QTest::keyClick(checked, Qt::Key_Down), checked = QApplication::focusWidget();
        QCOMPARE(checked, options[std::size_t(landsOn)]);
        QVERIFY(options[std::size_t(landsOn)]->isChecked());
        QCOMPARE(tabFrom(window->initialPage->Command3[4]), checked);
        QCOMPARE(tabFrom(checked), window->Command1[Ok]); // the other pages' controls are hidden
        QCOMPARE(tabFrom(window->Command1[Ok], true), checked);
    }

    // Every control a screen reader reaches is named, and the like ones apart.
    void accessibleNames() {
        open(0);
        const SetteiInitialPage* i = window->initialPage;
        const SetteiMessagePage* m = window->messagePage;
        QList<QWidget*> named{window->environmentPage->Command4, i->VScroll1};
        named << QList<QWidget*>(i->Command3.begin(), i->Command3.end());
        named << QList<QWidget*>(m->Text2.begin(), m->Text2.end())
              << QList<QWidget*>(m->Command2.begin(), m->Command2.end());
        QStringList names;
        for (QWidget* widget : named) {
            const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && !names.contains(name), qPrintable(widget->objectName() + u' ' + name));
            names << name;
        }
        QCOMPARE(names.mid(2, 2), QStringList({i->Label3[0]->text(), i->Label3[1]->text()}));
        QCOMPARE(m->Label1[0]->buddy(), m->Text2[0]);
    }

    // Sizes whose window the screen's free area cannot hold are marked, with a note, at 150 % and 200 %.
    void sizesThatDoNotFit_data() {
        QTest::addColumn<double>("twipsPerPixel"); // 15 at 100 %
        QTest::addColumn<QString>("marked");
        QTest::newRow("1920x1080 at 100 %") << 15.0 << "00000";
        QTest::newRow("1920x1080 at 150 %") << 10.0 << "10000";
        QTest::newRow("1920x1080 at 200 %") << 7.5 << "11000";
    }
    void sizesThatDoNotFit() {
        QFETCH(double, twipsPerPixel);
        QFETCH(QString, marked);
        platform->screens = {QRectF(0, 0, 1920 * twipsPerPixel, 1080 * twipsPerPixel)};
        platform->available = {platform->screens[0].adjusted(0, 0, 0, -40 * twipsPerPixel)};
        open(1);
        QString shown;
        for (const QRadioButton* option : window->initialPage->Option1)
            shown += option->text().endsWith(u'※') && !option->accessibleDescription().isEmpty() ? u'1' : u'0';
        QCOMPARE(shown, marked);
        QCOMPARE(window->initialPage->sizeNote->isVisible(), marked.contains(u'1'));
        const QRect note = window->initialPage->sizeNote->geometry();
        QVERIFY(window->initialPage->rect().contains(note) &&
                !note.intersects(window->initialPage->Frame1_1->geometry()));
    }

    // The picture picker opens in the pictures folder, else at home; its first filter takes every picture the
    // countdown window decodes, in both cases of the extension.
    void picturePicker_data() {
        QTest::addColumn<bool>("picturesFolder");
        QTest::newRow("with a Pictures folder") << true;
        QTest::newRow("without one: home") << false;
    }
    void picturePicker() {
        QFETCH(bool, picturesFolder);
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME"), oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
        if (picturesFolder)
            QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Pictures")));
        const QString folder = SetteiEnvironmentPage::pictureFolder();
        qputenv("HOME", oldHome), qputenv("XDG_CONFIG_HOME", oldConfig);
        QCOMPARE(folder, picturesFolder ? home.filePath(QStringLiteral("Pictures")) : home.path());

        const QString first = SetteiEnvironmentPage::fileFilters().value(0);
        const QStringList patterns = first.section(u'(', 1).chopped(1).split(u' ');
        for (const char* needed : {"*.png", "*.PNG", "*.jpg", "*.JPEG", "*.bmp", "*.BMP"})
            QVERIFY2(patterns.contains(QLatin1String(needed)), qPrintable(first));
        QImage sample(8, 6, QImage::Format_RGB32);
        sample.fill(Qt::red);
        for (const QString& pattern : patterns) {
            const QString path = home.filePath(u"sample"_s + pattern.mid(1));
            if (pattern.endsWith(u"gif"_s, Qt::CaseInsensitive)) { // Qt writes no GIF: a 1x1 one by hand
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(QByteArray::fromBase64("R0lGODlhAQABAIAAAP8AAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7"));
            } else {
                QVERIFY2(sample.save(path, pattern.mid(2).toLatin1().toLower()), qPrintable(path));
            }
            QVERIFY2(!decodePictureAtSize(path, QSize(4, 3)).isNull(), qPrintable(pattern));
        }
    }

    // "OK" saves every page and "適用" the page shown: a changed value of each, the first label rescaled from 680
    // twips with the size. Every other way out saves nothing; "ヘルプ" opens the topic of the page shown.
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
        preset({"Config/OptBM=-", "Position/OptSize=-", "Position/Label_Top(0)=-", "Config/OptMsg(1)=-"});
        click(window->environmentPage->Check1[3]); // return sound off
        click(window->initialPage->Option1[0]);
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
        QCOMPARE(stored("Config/OptBM"), saved.contains(u'0') ? "2" : "-");
        QCOMPARE(stored("Position/OptSize") + u' ' + stored("Position/Label_Top(0)"),
                 saved.contains(u'1') ? "0 1073.096" : "- -");
        QCOMPARE(stored("Config/OptMsg(1)"), saved.contains(u'2') ? "合格！" : "-");
        QCOMPARE(platform->helpRequests.size(), button == Help ? 1 : 0);
        QVERIFY(button != Help || platform->helpRequests[0].data == 11 + tab);
    }

    // The store as shown: the page last recorded even when no longer remembered, colours as first written and as
    // the picker writes them. A picked file, colour or font holds at once, even if the window is cancelled: the
    // file stored at once, the others with their page; a font offered as the installed family standing for it.
    void showsTheStoreAndWhatIsPicked() {
        preset({"Position/OptCent=1", "Config/OptDbl=0", "Config/OptDateTime=1", "Config/OptBM=2", "Config/OptHaik=1",
                "Config/OptMsgMove=0", "Config/OptLAct=0", "Config/OptLATab=2", "Config/OptReturn=1800",
                "Position/OptSize=3", "Config/OptColor(2)=&H00FF0000&", "Config/OptColor(3)=8454143",
                "Config/OptMsg(0)=<b>あと</b>", "Fonts/OptFont(0)=<i>IPAGothic</i>", "Fonts/OptFont(2)=True",
                "Fonts/OptFont2(2)=True", "Config/OptBFile=/old.bmp"});
        const auto shown = [this] {
            const SetteiInitialPage* i = window->initialPage;
            const SetteiMessagePage* m = window->messagePage;
            auto seen =
                QStringList({QString::number(window->SSTab1->currentIndex()), i->Label4->text(), m->Text2[0]->text(),
                             m->Label2[0]->text(), m->Label2[1]->text(), ticks(window->environmentPage->Check1),
                             ticks(i->Option1), ticks(m->Check2) + ticks(m->Check3)});
            for (std::size_t colour : {2, 3, 4})
                seen << centreColour(i->Command3[colour]).name();
            return seen.join(u' ');
        };
        open(-1);
        QCOMPARE(shown(), "2 30 <b>あと</b> <i>IPAGothic</i> ＭＳ Ｐ明朝 1010100 00010 101 #0000ff #ffff80 #000000");
        QCOMPARE(window->messagePage->Label2[0]->textFormat(), Qt::PlainText); // as typed, never as rich text
        reply = QStringLiteral("/home/user/写真/桜.JPG");
        click(window->environmentPage->Command4);
        QVERIFY(offered.value(0).toString().startsWith(SetteiEnvironmentPage::pictureFolder() + u' '));
        QCOMPARE(stored("Config/OptBFile"), reply.toString());
        const auto contents = store->contents();
        reply = QColor(1, 2, 3);
        click(window->initialPage->Command3[4]);
        QCOMPARE(offered.value(1), QVariant(QColor(Qt::black))); // the colour it had
        reply = QFont("IPAGothic", 14, -1, true), click(window->messagePage->Command2[0]);
        reply = QFont("IPAPMincho", 20, QFont::Bold), click(window->messagePage->Command2[1]);
        QCOMPARE(offered.value(3).value<QFont>().family(), QFontInfo(offered.value(3).value<QFont>()).family());
        const QString picked = "<b>あと</b> IPAGothic ＭＳ Ｐ明朝 1010100 00010 011 #0000ff #ffff80 #010203";
        QCOMPARE(shown(), "2 30 " + picked);
        click(window->Command1[Cancel]);
        QCOMPARE(store->contents(), contents);
        open(1, false);
        QCOMPARE(shown(), "1 30 " + picked);
        click(window->Command1[Apply]);
        QCOMPARE(stored("Config/OptColor(4)"), QString::number(0x030201)); // red in the lowest byte
    }

    // The centring box moves the countdown window when its page is applied; one at the corner is centred once.
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
        loadFreshSettings(settings, store->settingsStore(), *platform);
        const auto countdown = PELTRA::open(context());
        QPointF whileOpen;
        whenModalOpens([&](QWidget* modal) {
            auto* settings = qobject_cast<SETTEI*>(modal);
            if (centre)
                click(settings->environmentPage->Check1[0]);
            click(settings->Command1[Apply]);
            whileOpen = countdown->windowPosition();
            click(settings->Command1[Cancel]);
        });
        countdown->menu.mnuOptSettei->trigger();
        QCOMPARE(std::pair(whileOpen, countdown->windowPosition()), std::pair(after, after)); // when applied
        QCOMPARE(stored("Position/OptCent"), QString(centre ? "1" : "0"));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
