#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <optional>

class Platform;

// What the about window's link labels do, apart from the labels themselves. Labels 10 and 11
// form the mail link, labels 12 to 14 the home page link; every other label index is no link.
class AboutLinks {
public:
    enum class Link { None, Mail, HomePage };

    static constexpr int firstLinkLabel = 10;
    static constexpr int linkLabelCount = 5;
    using LinkColours = std::array<QColor, linkLabelCount>; // labels 10 to 14

    static const QColor normalColour;
    static const QColor highlightColour;

    static Link linkOf(int labelIndex);
    // The colours of labels 10 to 14 once the pointer is over the given label: its whole link
    // lit, the other one normal. No value for a label that is not a link: nothing changes.
    static std::optional<LinkColours> coloursForPointerOver(int labelIndex);
    // The colours once the pointer is over the window's background: every link normal.
    static LinkColours normalColours();

    // The address split as the labels show it: the part up to and including the "/" after the
    // host name, and the rest.
    static QString homePageHost(const QString& address);
    static QString homePagePath(const QString& address);

    // Opens the link through the desktop's mail or web handler without waiting for it; where none
    // takes the address (the opener missing or failing), says so with the not-installed message of
    // that link once the opener has answered. Nothing runs through a shell.
    static void open(Link link, Platform& platform);
};
