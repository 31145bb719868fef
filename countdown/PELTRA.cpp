#include "countdown/PELTRA.h"

#include "app/core/AppSettings.h"
#include "app/core/Conversions.h"
#include "app/core/DateTimeText.h"
#include "app/core/Platform.h"
#include "app/core/ReturnSound.h"
#include "app/core/SizePresets.h"
#include "app/core/Twips.h"
#include "app/core/WindowPlacement.h"
#include "app/settings/SettingsStore.h"
#include "app/settings/StoreWriteReport.h"
#include "app/system/FontSetup.h"
#include "app/system/WindowFrame.h"
#include "countdown/CountdownAccessibility.h"
#include "countdown/CountdownClock.h"
#include "countdown/CountdownStatusBar.h"
#include "countdown/TrayIndicator.h"
#include "dialogs/INFO_VER.h"
#include "dialogs/INP_DATE.h"
#include "dialogs/SETTEI.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QLabel>
#include <QMenuBar>
#include <QSessionManager>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace {
const QString caption = QStringLiteral("ペルトラ for Windows");
const QString endTitle = QStringLiteral("終了確認");

QPointF storedPlace(const AppSettings& record) {
    return {Conversions::lenientNumber(record.M_Left), Conversions::lenientNumber(record.M_Top)};
}
} // namespace

PELTRA::PELTRA(const ProgramContext& context)
    : context(context), settings(context.settings), store(context.store), platform(context.platform) {
    setObjectName(QStringLiteral("PELTRA"));
    // A named countdown says its name first, so that its window is told from the others.
    setWindowTitle(settings.countdownName.isEmpty() ? caption
                                                    : settings.countdownName + QStringLiteral(" - ") + caption);
    // A fixed single border with the close command only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (!manager.allowsInteraction()) {
            saveForSessionEnd();
            return;
        }
        if (Form_QueryUnload(AppWindows))
            manager.cancel();
        manager.release();
    });
}

PELTRA::~PELTRA() = default;

std::unique_ptr<PELTRA> PELTRA::open(const ProgramContext& context) {
    std::unique_ptr<PELTRA> window(new PELTRA(context));
    window->showFrame();
    installFontSubstitutions();
    // A change of the program's font reaches existing windows only once the event loop runs: the
    // window takes it now, and its children from it.
    window->setFont(QFont());
    window->building = true;
    window->createControls();
    window->createMenu();
    // Owned by the window; shows itself only while the window is minimised.
    new TrayIndicator(*window);
    window->Form_Load();
    window->Form_Activate();
    window->building = false;
    // Children added to a shown window are otherwise shown once the event loop runs, which may be after
    // the first paint.
    window->menuBar()->show();
    window->centralWidget()->show();
    return window;
}

void PELTRA::showFrame() {
    // Worked out on a copy of the record as Form_Load and Form_Activate will place the window: first
    // for the stored size, then for the preset's.
    AppSettings record = settings;
    keepPlace(record, fittedPlace(record, {double(record.WinWidth), double(record.WinHeight)}));
    SelectWindowSize(record, record.OptSize);
    setOuterSize(record.WinWidth, record.WinHeight);
    moveTo(fittedPlace(record, outerSizeTwips));
    show();
}

void PELTRA::createControls() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    canvas = new QWidget(central);
    canvas->setObjectName(QStringLiteral("canvas"));
    StatusBar1 = new CountdownStatusBar(central);
    column->addWidget(canvas, 1);
    column->addWidget(StatusBar1);
    setCentralWidget(central);

    Image1 = new QLabel(canvas);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    Image1->setAccessibleName(QStringLiteral("背景の画像"));
    Image1->hide();
    for (int i = 0; i < 3; ++i) {
        auto* label = new QLabel(canvas);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        label->setTextFormat(Qt::PlainText);
        label->setMargin(0);
        label->setAlignment(i == CountdownLayout::count ? Qt::AlignCenter : (Qt::AlignHCenter | Qt::AlignTop));
        // A long message wraps within its box (Japanese between characters) instead of being cut.
        label->setWordWrap(i != CountdownLayout::count);
        // Moves without a button reach the label too: they end a drag whose release went elsewhere.
        label->setMouseTracking(true);
        Label1[std::size_t(i)] = label;
    }
    Label1[CountdownLayout::count]->setToolTip(QStringLiteral(" クリックすると最小化 "));

    countdownLayout = std::make_unique<CountdownLayout>(CountdownWidgets{canvas, Label1, Image1, StatusBar1});
    labelDragger = std::make_unique<LabelDragger>(
        *countdownLayout, settings,
        LabelDragger::Handlers{[this](int index) { Label1_Click(index); }, [this] { Form_DblClick(); }});
    countAccessibility = new CountdownAccessibility(
        *countdownLayout, settings, Label1, [this](int i) { Label1_Click(i); }, this);
    connect(this, &PELTRA::countChanged, countAccessibility, &CountdownAccessibility::refresh);
    // The filters go on once the dragger they hand the labels' events to exists.
    for (QLabel* label : Label1)
        label->installEventFilter(this);
    for (QWidget* widget : {canvas, static_cast<QWidget*>(Image1), static_cast<QWidget*>(StatusBar1)})
        widget->installEventFilter(this);
    for (int panel = 1; panel <= CountdownStatusBar::panelCount; ++panel)
        StatusBar1->panel(panel)->installEventFilter(this);

    clock = new CountdownClock(platform, settings, schedule, {[this] { Timer1_Timer(); }, [this] { Timer2_Timer(); }},
                               this);
    Timer1 = clock->countTimer();
    Timer2 = clock->clockTimer();
}

void PELTRA::createMenu() {
    menu =
        addCountdownMenus(*menuBar(), {[this] { Form_DblClick(); }, [this] { mnuOptSettei_Click(); },
                                       [this] { mnuEditEvent_Click(); }, [this] { mnuHelpContents_KeyWord_Click(0); },
                                       [this] { mnuHelpContents_KeyWord_Click(1); }, [this] { mnuHelpAbout_Click(); }});
}

void PELTRA::Form_Load() {
    geometryPassAtLoad();
    clock->start();
}

void PELTRA::geometryPassAtLoad() {
    setOuterSize(settings.WinWidth, settings.WinHeight);
    placeWindow();
    countdownLayout->ApplyLayout(settings, settings.OptSize);

    Label1[0]->setText(settings.OptMsg[0]);
    Label1[1]->setText(settings.OptMsg[1]);
    showDaysLeft();
    StatusBar1->setPanelText(2, settings.DateText);
    StatusBar1->setPanelText(3, settings.TimeText);

    // The count's left is not kept among the defaults: it is centred for the real count once.
    const QString storedCountLeft = store.Get(SettingsKeys::Label_Left2);
    const auto countLeft = Conversions::strictNumber(storedCountLeft);
    if (countLeft && std::abs(*countLeft) <= 1e6)
        settings.Label_Left[2] = storedCountLeft;
    else
        settings.Label_Left[2] = Conversions::numberText(float((settings.WinWidth - layout().labelWidth(2)) / 2));
    countdownLayout->restoreLabelPositions(settings);
}

void PELTRA::Form_Activate() {
    showDaysLeft();
    settings.MainActivated = 1;
    StatusBar1->setPanelText(1, eventDateText(settings.TheDate));
    geometryPassAtActivation();
    countAccessibility->refresh();
}

void PELTRA::geometryPassAtActivation() {
    takeCurrentPlace();
    SelectWindowSize(settings, settings.OptSize);
    setOuterSize(settings.WinWidth, settings.WinHeight);
    countdownLayout->sizePicture();
    placeWindow();
    countdownLayout->ApplyLayout(settings, settings.OptSize);
    countdownLayout->restoreLabelPositions(settings);
}

int PELTRA::showDaysLeft() {
    // Any stored date is within a few million days of today.
    const int days = int(std::clamp<qint64>(DaysLeft(platform.now().date(), settings.TheDate), INT_MIN, INT_MAX));
    countdownLayout->showCount(QString::number(days));
    if (!countShown || days != shownDaysLeft) {
        countShown = true;
        shownDaysLeft = days;
        emit countChanged(days);
    }
    return days;
}

void PELTRA::setOuterSize(double widthTwips, double heightTwips) {
    outerSizeTwips = {widthTwips, heightTwips};
    applyOuterSize();
}

void PELTRA::applyOuterSize() {
    if (building)
        return;
    // The sizes are outer sizes; the frame is known only once the window manager has framed it.
    setFixedOuterSize(*this, {Twips::toPixelsX(outerSizeTwips.width()), Twips::toPixelsY(outerSizeTwips.height())});
}

void PELTRA::placeWindow() {
    const QPointF place = fittedPlace(settings, outerSizeTwips);
    keepPlace(settings, place);
    moveTo(place);
}

QPointF PELTRA::fittedPlace(const AppSettings& record, QSizeF outer) const {
    return ::fittedPlace(storedPlace(record), record.centres(), outer, screenLayout());
}

ScreenLayout PELTRA::screenLayout() const {
    return {platform.screenSizeTwips(), platform.screenRectsTwips(), platform.availableRectsTwips()};
}

void PELTRA::keepPlace(AppSettings& record, QPointF place) {
    if (!record.centres() && place != storedPlace(record)) {
        record.M_Left = Conversions::numberText(place.x());
        record.M_Top = Conversions::numberText(place.y());
    }
}

void PELTRA::moveTo(QPointF twips) {
    placedTwips = twips;
    if (!building)
        move(Twips::toPixels(placedTwips));
}

void PELTRA::takeCurrentPlace() {
    // The window stays where the user put it, whatever was last saved.
    if (settings.centres() || !isVisible() || isMinimized() || building)
        return;
    settings.M_Left = Conversions::numberText(windowPosition().x());
    settings.M_Top = Conversions::numberText(windowPosition().y());
}

QPointF PELTRA::windowPosition() const {
    // Where the window has not moved since it was placed, its place is kept to the twip.
    return pos() == Twips::toPixels(placedTwips) ? placedTwips : Twips::fromPixels(pos());
}

QSizeF PELTRA::windowOuterSize() const {
    const QSize outer = frameGeometry().size();
    return {Twips::fromPixelsX(outer.width()), Twips::fromPixelsY(outer.height())};
}

void PELTRA::saveWindowPosition(bool alsoInMemory) {
    SettingsStore::Batch batch(store);
    const QString top = Conversions::numberText(windowPosition().y());
    const QString left = Conversions::numberText(windowPosition().x());
    if (alsoInMemory) {
        settings.M_Top = top;
        settings.M_Left = left;
    }
    store.Save(SettingsKeys::M_Top, top);
    store.Save(SettingsKeys::M_Left, left);
    report(batch.commit());
}

void PELTRA::report(const StoreWrite& write) {
    reportStoreWrite(platform, write);
}

void PELTRA::SaveLabelPositions() {
    SettingsStore::Batch batch(store);
    for (int i = 0; i < 3; ++i) {
        const QPointF position = countdownLayout->labelPosition(i);
        const QString left = Conversions::numberText(position.x());
        const QString top = Conversions::numberText(position.y());
        store.Save(SettingsKey::labelLeft(std::size_t(i)), left);
        store.Save(SettingsKey::labelTop(std::size_t(i)), top);
        settings.Label_Left[std::size_t(i)] = left;
        settings.Label_Top[std::size_t(i)] = top;
    }
    report(batch.commit());
}

void PELTRA::Form_DblClick() {
    if (!settings.endsOnDoubleClick())
        return;
    {
        // One write, done before the question: OK ends the program at once.
        SettingsStore::Batch batch(store);
        saveWindowPosition(false);
        SaveLabelPositions();
        report(batch.commit());
    }
    const int answer = platform.messageBox(QStringLiteral("「ペルトラ for Windows」 を 終了しますか？"),
                                           MessageStyle::Question, endTitle);
    if (answer == MessageAnswer::Ok)
        platform.endProgram();
}

bool PELTRA::Form_QueryUnload(UnloadMode mode) {
    saveWindowPosition(true);
    if (mode != FormControlMenu && mode != AppWindows && mode != AppTaskManager)
        return false;
    const int answer = platform.messageBox(QStringLiteral("「ペルトラ for Windows」 を終了しますか？　"),
                                           MessageStyle::Question, endTitle);
    if (answer != MessageAnswer::Ok)
        return true;
    SaveLabelPositions();
    platform.endProgram();
    return false;
}

void PELTRA::closeEvent(QCloseEvent* event) {
    event->setAccepted(!Form_QueryUnload(event->spontaneous() ? FormControlMenu : FormCode));
}

bool PELTRA::event(QEvent* event) {
    const bool handled = QMainWindow::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::WindowStateChange:
        applyOuterSize();
        break;
    default:
        break;
    }
    return handled;
}

bool PELTRA::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 3; ++i) {
        if (watched == Label1[std::size_t(i)])
            return labelDragger->handleEvent(i, event) || QMainWindow::eventFilter(watched, event);
    }
    if (watched == canvas && event->type() == QEvent::Resize)
        countdownLayout->sizePicture();
    if (event->type() == QEvent::MouseButtonDblClick && watched->isWidgetType()) {
        Form_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void PELTRA::Timer1_Timer() {
    if (showDaysLeft() < 0) {
        askAboutPassedEvent();
        return;
    }
    if (isMinimized() && schedule.isDue(settings, platform.bootClockMsecs()))
        returnWindow(true);
}

void PELTRA::askAboutPassedEvent() {
    countdownLayout->showCount(QString());
    clock->stopCount();
    const int answer = platform.messageBox(QStringLiteral("イベントは終了しています。 新しい日を設定しますか？"),
                                           MessageStyle::Question, QStringLiteral("設定日付確認"));
    if (answer != MessageAnswer::Ok) {
        platform.endProgram();
        return;
    }
    // A minimised window would take its dialog out of sight with it.
    INP_DATE dialog(context, isMinimized() ? nullptr : this);
    runDialog(dialog);
}

void PELTRA::runDialog(QDialog& dialog) {
    clock->stopCount();
    dialog.exec();
    clock->startCount();
    Form_Activate();
}

void PELTRA::returnWindow(bool withChime) {
    // Taken before the sound, so that a tick while it plays or its message is up starts no second return.
    schedule.take();
    clock->setCountPeriod(CountdownClock::afterReturnPeriod);
    clock->scheduleCount();
    if (withChime && !settings.returnsSilently()) {
        PlayReturnSound(settings, platform);
        if (platform.hasEnded())
            return;
    }
    showNormal();
    raise();
    activateWindow();
    Form_Activate();
}

void PELTRA::Label1_Click(int index) {
    if (index != CountdownLayout::count)
        return;
    takeCurrentPlace();
    saveWindowPosition(false);
    moveTo(storedPlace(settings));
    startReturnCountdown();
    showMinimized();
}

void PELTRA::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const Qt::WindowStates before = static_cast<QWindowStateChangeEvent*>(event)->oldState();
    if (windowState().testFlag(Qt::WindowMaximized) || windowState().testFlag(Qt::WindowFullScreen)) {
        // The window has fixed sizes: a maximise request from the window manager changes nothing.
        QTimer::singleShot(0, this, &PELTRA::undoMaximise);
        return;
    }
    const bool wasMinimised = before.testFlag(Qt::WindowMinimized);
    // Every minimise, whichever way, counts the return from now; a window brought back by hand
    // needs no return any more.
    if (isMinimized() && !wasMinimised) {
        startReturnCountdown();
    } else if (!isMinimized() && wasMinimised) {
        schedule.take();
        clock->scheduleCount();
    }
}

void PELTRA::startReturnCountdown() {
    clock->setCountPeriod(CountdownClock::countingPeriod);
    schedule.start(settings, platform.now(), platform.bootClockMsecs());
    clock->scheduleCount();
}

void PELTRA::undoMaximise() {
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    moveTo(placedTwips);
    applyOuterSize();
}

void PELTRA::Timer2_Timer() {
    BuildDateTimeText(settings, platform.now());
    StatusBar1->setPanelText(2, settings.DateText);
    StatusBar1->setPanelText(3, settings.TimeText);
}

void PELTRA::mnuOptSettei_Click() {
    {
        SettingsStore::Batch batch(store);
        SaveLabelPositions();
        saveWindowPosition(true);
        report(batch.commit());
    }
    // Only the centring switch moves this window while the settings window is up.
    SETTEI dialog(context, this, this);
    runDialog(dialog);
}

void PELTRA::mnuEditEvent_Click() {
    saveWindowPosition(true);
    INP_DATE dialog(context, this);
    runDialog(dialog);
}

void PELTRA::mnuHelpContents_KeyWord_Click(int index) {
    clock->stopCount();
    if (index == 0)
        platform.winHelp(this, settings.HelpFilePath, HelpCommand::PartialKey, 0);
    else if (index == 1)
        platform.winHelp(this, settings.HelpFilePath, HelpCommand::Contents, 0);
    clock->startCount();
}

void PELTRA::mnuHelpAbout_Click() {
    INFO_VER dialog(platform, this);
    dialog.exec();
    Form_Activate();
}

void PELTRA::centreNow() {
    moveTo(::centredPlace(outerSizeTwips, screenLayout()));
}

void PELTRA::bringBack() {
    returnWindow(false);
}

void PELTRA::saveForSessionEnd() {
    SettingsStore::Batch batch(store);
    saveWindowPosition(true);
    SaveLabelPositions();
    // Nobody is there to read a message: a failed save is told on the standard error.
    if (const StoreWrite write = batch.commit(); !write.written)
        qWarning("peltra: the settings could not be saved to %s", qPrintable(store.fileName()));
}
