#pragma once

#include <QAccessibleWidget>

class QLabel;

// A text that opens an address, as a screen reader should find it: a link, named by its text and
// described by where it leads, whose press action does what Enter on it does.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(QWidget* label);

    // Makes the label read as a link from now on; the first call installs the factory.
    static void markAsLink(QLabel* label);

    [[nodiscard]] QString text(QAccessible::Text type) const override;
    [[nodiscard]] QAccessible::State state() const override;
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};
