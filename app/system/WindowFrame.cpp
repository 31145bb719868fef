#include "app/system/WindowFrame.h"

#include "app/core/FrameFit.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <optional>

#ifdef PELTRA_HAVE_XCB
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace {

#ifdef PELTRA_HAVE_XCB
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

xcb_connection_t* x11Connection(const QWindow* window) {
    // Asked only of a window that exists on the display: winId() would create one.
    if (!window || !window->handle())
        return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
#endif

// Qt's X11 window announces a resize step of the ratio rounded, 2 device pixels at 150 %, and the
// window manager keeps the client area to its multiples: the step becomes one device pixel, and the
// size is asked for again.
void allowEveryDevicePixel([[maybe_unused]] const QWindow* window, [[maybe_unused]] QSize deviceSize) {
#ifdef PELTRA_HAVE_XCB
    xcb_connection_t* connection = x11Connection(window);
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // WM_SIZE_HINTS: flags, x, y, width, height, minimum, maximum, step, aspects, base, gravity.
    constexpr std::size_t fields = 18, flagsField = 0, stepField = 9;
    constexpr std::uint32_t stepGiven = 1U << 6;
    const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 0, fields),
        nullptr));
    if (!reply || reply->format != 32 ||
        std::size_t(xcb_get_property_value_length(reply.get())) != fields * sizeof(std::uint32_t))
        return;
    std::array<std::uint32_t, fields> hints{};
    std::memcpy(hints.data(), xcb_get_property_value(reply.get()), sizeof hints);
    if (!(hints[flagsField] & stepGiven) || (hints[stepField] <= 1 && hints[stepField + 1] <= 1))
        return;
    hints[stepField] = hints[stepField + 1] = 1;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                        fields, hints.data());
    const std::array<std::uint32_t, 2> size{std::uint32_t(deviceSize.width()), std::uint32_t(deviceSize.height())};
    xcb_configure_window(connection, id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size.data());
    xcb_flush(connection);
#endif
}

// The frame that the window manager has put around a window, in device pixels, as it announces it
// (_NET_FRAME_EXTENTS on X11). None before the window is framed, or where the display does not say.
std::optional<QMargins> nativeFrameExtents([[maybe_unused]] const QWindow* window) {
#ifdef PELTRA_HAVE_XCB
    xcb_connection_t* connection = x11Connection(window);
    if (!connection)
        return std::nullopt;
    // The program has one connection to the display: the name is made an atom once, whether or
    // not a window manager has used it yet.
    static const xcb_atom_t atom = [connection] {
        static constexpr char name[] = "_NET_FRAME_EXTENTS";
        const ReplyPointer<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }();
    if (atom == XCB_ATOM_NONE)
        return std::nullopt;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, id, atom, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4 * sizeof(std::uint32_t))
        return std::nullopt;
    // Left, right, top, bottom.
    const auto* extents = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const auto edge = [](std::uint32_t value) { return value < 4096 ? int(value) : 0; };
    return QMargins(edge(extents[0]), edge(extents[2]), edge(extents[1]), edge(extents[3]));
#else
    return std::nullopt;
#endif
}

} // namespace

void setFixedOuterSize(QWidget& window, QSize outer) {
    const double ratio = window.devicePixelRatioF();
    const std::optional<QMargins> frame = nativeFrameExtents(window.windowHandle());
    const QSize client = frame ? FrameFit::clientSize((QSizeF(outer) * ratio).toSize(), *frame, ratio)
                               : outer - (window.frameGeometry().size() - window.geometry().size());
    if (!client.isValid() || window.size() == client)
        return;
    window.setFixedSize(client);
    if (frame)
        allowEveryDevicePixel(window.windowHandle(), (QSizeF(client) * ratio).toSize());
}
