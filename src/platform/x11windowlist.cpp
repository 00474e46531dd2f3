#include "platform/x11windowlist.h"

#include <QGuiApplication>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace tavrok {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

Reply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name, xcb_atom_t type,
                                         uint32_t longs) {
    return Reply<xcb_get_property_reply_t>(
        xcb_get_property_reply(c, xcb_get_property(c, 0, w, name, type, 0, longs), nullptr));
}

std::vector<xcb_window_t> topLevelWindows(xcb_connection_t* c, xcb_window_t root) {
    std::vector<xcb_window_t> windows;
    if (const xcb_atom_t clients = atom(c, "_NET_CLIENT_LIST"); clients != XCB_ATOM_NONE) {
        if (const auto reply = property(c, root, clients, XCB_ATOM_WINDOW, 1u << 16);
            reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) > 0) {
            const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
            windows.assign(ids, ids + xcb_get_property_value_length(reply.get()) / 4);
            return windows;
        }
    }
    // No window manager: the windows of every program are the root's children.
    const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr));
    if (tree) {
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        windows.assign(children, children + xcb_query_tree_children_length(tree.get()));
    }
    return windows;
}

QString title(xcb_connection_t* c, xcb_window_t w, xcb_atom_t netName, xcb_atom_t utf8) {
    if (netName != XCB_ATOM_NONE && utf8 != XCB_ATOM_NONE) {
        if (const auto reply = property(c, w, netName, utf8, 1024); reply && reply->format == 8) {
            const int length = xcb_get_property_value_length(reply.get());
            if (length > 0) {
                return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(reply.get())), length);
            }
        }
    }
    if (const auto reply = property(c, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 1024); reply && reply->format == 8) {
        return QString::fromLatin1(static_cast<const char*>(xcb_get_property_value(reply.get())),
                                   xcb_get_property_value_length(reply.get()));
    }
    return {};
}

} // namespace

bool X11WindowList::existsWithTitle(const QString& wanted) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c) {
        return false;
    }
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_iterator_t screen = xcb_setup_roots_iterator(setup);
    if (!screen.data) {
        return false;
    }
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    for (const xcb_window_t w : topLevelWindows(c, screen.data->root)) {
        if (title(c, w, netName, utf8) == wanted) {
            return true;
        }
    }
    return false;
}

} // namespace tavrok
