#pragma once

#include <QWidget>

// A see-through layer for what is drawn only for its look, such as the shadows of the about
// window's titles: the pointer goes through it, and a screen reader finds it empty, so that each
// title is read once.
class DecorationLayer : public QWidget {
    Q_OBJECT

public:
    explicit DecorationLayer(QWidget* parent);
};
