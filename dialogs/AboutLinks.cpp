#include "dialogs/AboutLinks.h"

#include "app/core/Conversions.h"
#include "app/core/Platform.h"
#include "app/core/ProductInfo.h"

const QColor AboutLinks::normalColour = Conversions::colorFromText(QStringLiteral("&H00C0FFC0&"));
const QColor AboutLinks::highlightColour = Conversions::colorFromText(QStringLiteral("&H0000FF00&"));

AboutLinks::Link AboutLinks::linkOf(int labelIndex) {
    switch (labelIndex) {
    case 10:
    case 11:
        return Link::Mail;
    case 12:
    case 13:
    case 14:
        return Link::HomePage;
    default:
        return Link::None;
    }
}

std::optional<AboutLinks::LinkColours> AboutLinks::coloursForPointerOver(int labelIndex) {
    const Link lit = linkOf(labelIndex);
    if (lit == Link::None)
        return std::nullopt;
    LinkColours colours{};
    for (int i = 0; i < linkLabelCount; ++i)
        colours[std::size_t(i)] = linkOf(firstLinkLabel + i) == lit ? highlightColour : normalColour;
    return colours;
}

AboutLinks::LinkColours AboutLinks::normalColours() {
    LinkColours colours{};
    colours.fill(normalColour);
    return colours;
}

QString AboutLinks::homePageHost(const QString& address) {
    const qsizetype schemeEnd = address.indexOf(QLatin1String("://"));
    const qsizetype hostStart = schemeEnd < 0 ? 0 : schemeEnd + 3;
    const qsizetype slash = address.indexOf(u'/', hostStart);
    return slash < 0 ? address : address.left(slash + 1);
}

QString AboutLinks::homePagePath(const QString& address) {
    return address.mid(homePageHost(address).size());
}

void AboutLinks::open(Link link, Platform& platform) {
    switch (link) {
    case Link::Mail:
        platform.openUrl(QStringLiteral("mailto:") + ProductInfo::mailAddress.toString(), [&platform](bool opened) {
            if (!opened)
                platform.messageBox(QStringLiteral("「Outlook Express」 が ｲﾝｽﾄｰﾙ されていません。"),
                                    MessageStyle::Exclamation, QStringLiteral("OE ｲﾝｽﾄｰﾙ 確認"));
        });
        break;
    case Link::HomePage:
        platform.openUrl(ProductInfo::homePage.toString(), [&platform](bool opened) {
            if (!opened)
                platform.messageBox(QStringLiteral("「Internet Explorer」 が ｲﾝｽﾄｰﾙ されていません。"),
                                    MessageStyle::Exclamation, QStringLiteral("IE ｲﾝｽﾄｰﾙ 確認"));
        });
        break;
    case Link::None:
        break;
    }
}
