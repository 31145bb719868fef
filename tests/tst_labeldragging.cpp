#include "app/AppSettings.h"
#include "countdown/PELTRA.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TestStore.h"
#include "tests/support/WindowTestHelpers.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include <memory>

// Sends mouse events as the window system delivers them to a label that holds the pointer: the
// pointer is given in screen coordinates, and the label follows it while dragged.
class Pointer {
public:
    Pointer(QLabel* label, QPoint grip) : label(label), screen(label->mapToGlobal(grip)) {}

    void press(Qt::MouseButton pressed) {
        button = pressed;
        send(QEvent::MouseButtonPress, button, button);
    }
    void moveBy(QPoint delta) {
        screen += delta;
        send(QEvent::MouseMove, Qt::NoButton, button);
    }
    void release() { send(QEvent::MouseButtonRelease, button, Qt::NoButton); }
    QPoint grip() const { return label->mapFromGlobal(screen); }

private:
    void send(QEvent::Type type, Qt::MouseButton changed, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(label->mapFromGlobal(screen)), QPointF(screen), changed, held, Qt::NoModifier);
        QApplication::sendEvent(label, &event);
    }

    QLabel* label;
    QPoint screen;
    Qt::MouseButton button = Qt::NoButton;
};

class TestLabelDragging : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void dragWithAnyButton_data();
    void dragWithAnyButton();
    void dragSwitchedOff();
    void dragOfTheCountDoesNotMinimise();
    void savedPositionsAreWholeTwips();
    void unsavedDragSnapsBack();
    void dragEndsWhenTheMouseIsTaken();

private:
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<TestStore> store;
};

void TestLabelDragging::init() {
    platform = std::make_unique<ScriptedPlatform>();
    store = std::make_unique<TestStore>();
    loadFreshSettings(*platform);
}

void TestLabelDragging::cleanup() {
    store.reset();
    platform.reset();
}

void TestLabelDragging::dragWithAnyButton_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("index");
    QTest::addColumn<QPoint>("path");
    QTest::newRow("left, upper message, inside") << Qt::LeftButton << 0 << QPoint(20, 30);
    QTest::newRow("right, lower message, up") << Qt::RightButton << 1 << QPoint(-40, -200);
    QTest::newRow("middle, lower message") << Qt::MiddleButton << 1 << QPoint(7, 3);
    QTest::newRow("left, upper message, out of the window") << Qt::LeftButton << 0 << QPoint(900, -400);
}

void TestLabelDragging::dragWithAnyButton() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, index);
    QFETCH(QPoint, path);
    const auto window = openCountdownWindow();
    QLabel* label = window->Label1[std::size_t(index)];
    const QPointF start = window->layout().labelPosition(index);
    Pointer pointer(label, QPoint(30, 5));
    pointer.press(button);
    QVERIFY(window->dragger().isDragging(index));
    for (int step = 1; step <= 4; ++step)
        pointer.moveBy(path / 4);
    // The grabbed point stays under the pointer.
    QCOMPARE(pointer.grip(), QPoint(30, 5));
    pointer.release();
    QVERIFY(!window->dragger().isDragging(index));
    const QPointF moved = window->layout().labelPosition(index) - start;
    QCOMPARE(moved, QPointF((path / 4 * 4).x() * 15.0, (path / 4 * 4).y() * 15.0));
    QVERIFY(!window->isMinimized());
}

void TestLabelDragging::dragSwitchedOff() {
    appSettings().OptMsgMove = QStringLiteral("0");
    const auto window = openCountdownWindow();
    const QPointF start = window->layout().labelPosition(0);
    Pointer pointer(window->Label1[0], QPoint(10, 10));
    pointer.press(Qt::LeftButton);
    pointer.moveBy(QPoint(50, 50));
    pointer.release();
    QCOMPARE(window->layout().labelPosition(0), start);
    // With nothing to drag, a press and release on the count that moved is a click: it minimises.
    Pointer onCount(window->Label1[2], QPoint(5, 5));
    onCount.press(Qt::LeftButton);
    onCount.moveBy(QPoint(QApplication::startDragDistance() + 2, 0));
    onCount.release();
    QVERIFY(window->isMinimized());
}

void TestLabelDragging::dragOfTheCountDoesNotMinimise() {
    const auto window = openCountdownWindow();
    Pointer pointer(window->Label1[2], QPoint(5, 5));
    pointer.press(Qt::LeftButton);
    pointer.moveBy(QPoint(QApplication::startDragDistance() + 2, 0));
    pointer.release();
    QVERIFY(!window->isMinimized());
    QVERIFY(!window->returnSchedule().isPending());

    // A press and release that stayed within the drag distance is a click.
    Pointer still(window->Label1[2], QPoint(5, 5));
    still.press(Qt::LeftButton);
    still.moveBy(QPoint(1, 0));
    still.release();
    QVERIFY(window->isMinimized());
}

void TestLabelDragging::savedPositionsAreWholeTwips() {
    const auto window = openCountdownWindow();
    Pointer pointer(window->Label1[1], QPoint(3, 3));
    pointer.press(Qt::LeftButton);
    pointer.moveBy(QPoint(-4, 12));
    pointer.release();
    window->SaveLabelPositions();
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Left(0)")), QStringLiteral("160"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(0)")), QStringLiteral("680"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Left(1)")), QStringLiteral("100"));
    QCOMPARE(store->value(Section::Position, QStringLiteral("Label_Top(1)")), QStringLiteral("4920"));
    QCOMPARE(appSettings().Label_Top[1], QStringLiteral("4920"));
}

void TestLabelDragging::unsavedDragSnapsBack() {
    const auto window = openCountdownWindow();
    Pointer pointer(window->Label1[0], QPoint(3, 3));
    pointer.press(Qt::LeftButton);
    pointer.moveBy(QPoint(30, 30));
    pointer.release();
    window->Form_Activate(); // as after the event-date window
    QCOMPARE(window->layout().labelPosition(0), QPointF(160, 680));
    QVERIFY(store->value(Section::Position, QStringLiteral("Label_Left(0)")).isEmpty());
}

void TestLabelDragging::dragEndsWhenTheMouseIsTaken() {
    const auto window = openCountdownWindow();
    Pointer pointer(window->Label1[0], QPoint(3, 3));
    pointer.press(Qt::LeftButton);
    QVERIFY(window->dragger().isDragging(0));
    QEvent ungrab(QEvent::UngrabMouse);
    QApplication::sendEvent(window->Label1[0], &ungrab);
    QVERIFY(!window->dragger().isDragging(0));

    // A move with no button held (the release went to a modal box) ends it too.
    pointer.press(Qt::LeftButton);
    QMouseEvent stray(QEvent::MouseMove, QPointF(9, 9), QPointF(window->Label1[0]->mapToGlobal(QPoint(9, 9))),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window->Label1[0], &stray);
    QVERIFY(!window->dragger().isDragging(0));
}

QTEST_MAIN(TestLabelDragging)
#include "tst_labeldragging.moc"
