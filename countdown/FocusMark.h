#pragma once

#include <QPointer>
#include <QWidget>

// A dotted rectangle drawn just outside a widget that has the keyboard's focus, on the widget's
// parent: the widget's own box, text and layout stay as they are. White under black dots, so that
// it shows on any colour; the pointer goes through it.
class FocusMark : public QWidget {
public:
    explicit FocusMark(QWidget* parent);

    static constexpr int margin = 3; // pixels outside the widget

    // Marks target, following its moves and size; none: the mark goes.
    void follow(QWidget* target);
    [[nodiscard]] QWidget* target() const { return followed; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    QPointer<QWidget> followed;
};
