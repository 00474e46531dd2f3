#include "platform/x11windowlist.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
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
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A property, or nothing; a window that went away meanwhile is no error worth reporting.
Reply<xcb_get_property_reply_t> property(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    xcb_generic_error_t* error = nullptr;
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, &error));
    std::free(error);
    return reply;
}

std::vector<xcb_window_t> childrenOf(xcb_connection_t* c, const std::vector<xcb_window_t>& parents) {
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(parents.size());
    for (const xcb_window_t w : parents) {
        cookies.push_back(xcb_query_tree(c, w)); // all asked at once, then all answers read
    }
    std::vector<xcb_window_t> children;
    for (const xcb_query_tree_cookie_t cookie : cookies) {
        xcb_generic_error_t* error = nullptr;
        const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, cookie, &error));
        std::free(error);
        if (tree) {
            const xcb_window_t* ids = xcb_query_tree_children(tree.get());
            children.insert(children.end(), ids, ids + xcb_query_tree_children_length(tree.get()));
        }
    }
    return children;
}

// Every window that may be another program's top-level window, shown or hidden: those the window
// manager lists, the root's children, and their children (the windows inside a window manager's frames).
std::vector<xcb_window_t> candidates(xcb_connection_t* c, xcb_window_t root) {
    std::vector<xcb_window_t> windows = childrenOf(c, {root});
    const std::vector<xcb_window_t> inner = childrenOf(c, windows);
    windows.insert(windows.end(), inner.begin(), inner.end());
    if (const xcb_atom_t clients = atom(c, "_NET_CLIENT_LIST"); clients != XCB_ATOM_NONE) {
        const Reply<xcb_get_property_reply_t> list =
            property(c, xcb_get_property(c, 0, root, clients, XCB_ATOM_WINDOW, 0, 1u << 16));
        if (list && list->format == 32) {
            const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
            windows.insert(windows.end(), ids, ids + xcb_get_property_value_length(list.get()) / 4);
        }
    }
    std::sort(windows.begin(), windows.end());
    windows.erase(std::unique(windows.begin(), windows.end()), windows.end());
    return windows;
}

QString text(const xcb_get_property_reply_t* reply, xcb_atom_t utf8) {
    if (!reply || reply->format != 8) {
        return {};
    }
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply));
    const int length = xcb_get_property_value_length(reply);
    return reply->type == utf8 ? QString::fromUtf8(bytes, length) : QString::fromLatin1(bytes, length);
}

} // namespace

namespace {

// A CARDINAL property of one value, or none.
std::optional<uint32_t> cardinal(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name) {
    const Reply<xcb_get_property_reply_t> reply = property(c, xcb_get_property(c, 0, w, name, XCB_ATOM_CARDINAL, 0, 1));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return std::nullopt;
    }
    return *static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
}

} // namespace

bool X11WindowList::onCurrentWorkspace(quintptr window) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || window == 0) {
        return true;
    }
    const auto w = static_cast<xcb_window_t>(window);
    const xcb_query_tree_cookie_t treeCookie = xcb_query_tree(c, w);
    const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, treeCookie, nullptr));
    if (!tree) {
        return true;
    }
    constexpr uint32_t Everywhere = 0xFFFFFFFF; // a window shown on every workspace
    const auto mine = cardinal(c, w, atom(c, "_NET_WM_DESKTOP"));
    const auto current = cardinal(c, tree->root, atom(c, "_NET_CURRENT_DESKTOP"));
    return !mine || !current || *mine == Everywhere || *mine == *current;
}

bool X11WindowList::existsWithTitle(const QString& wanted) {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c || !x11->display()) {
        return false;
    }
    xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int n = DefaultScreen(x11->display()); n > 0 && screen.rem > 0; --n) {
        xcb_screen_next(&screen);
    }
    if (!screen.data) {
        return false;
    }
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const std::vector<xcb_window_t> windows = candidates(c, screen.data->root);
    // The title as the window manager shows it, else the older name of any encoding.
    std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t w : windows) {
        cookies.emplace_back(xcb_get_property(c, 0, w, netName, utf8, 0, 1024),
                             xcb_get_property(c, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024));
    }
    bool found = false;
    for (const auto& [net, old] : cookies) {
        const Reply<xcb_get_property_reply_t> netReply = property(c, net);
        const Reply<xcb_get_property_reply_t> oldReply = property(c, old);
        const QString netTitle = text(netReply.get(), utf8);
        found = found || (netTitle.isEmpty() ? text(oldReply.get(), utf8) : netTitle) == wanted;
    }
    return found;
}

} // namespace tavrok
