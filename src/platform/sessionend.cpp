#include "platform/sessionend.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace tavrok {

namespace {

#ifdef Q_OS_UNIX
int signalPipe[2] = {-1, -1};

extern "C" void onTerminatingSignal(int number) {
    const char byte = static_cast<char>(number);
    (void)!::write(signalPipe[1], &byte, 1); // the only thing a handler may safely do
}
#endif

} // namespace

void SessionEnd::catchSignals() {
#ifdef Q_OS_UNIX
    if (signalPipe[0] >= 0) {
        return;
    }
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        signalPipe[0] = signalPipe[1] = -1;
        return;
    }
    struct sigaction action {};
    action.sa_handler = onTerminatingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        sigaction(number, &action, nullptr);
    }
#endif
}

SessionEnd::SessionEnd(QObject* parent) : QObject(parent) {
    catchSignals();
#ifdef Q_OS_UNIX
    if (signalPipe[0] >= 0) {
        // The notifier reports bytes already waiting in the pipe as soon as the event loop looks.
        notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::readSignal);
    }
#endif
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { emit ending(); });
    }
}

SessionEnd::~SessionEnd() {
#ifdef Q_OS_UNIX
    if (notifier_) {
        for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
            signal(number, SIG_DFL);
        }
    }
#endif
}

void SessionEnd::readSignal() {
#ifdef Q_OS_UNIX
    char byte = 0;
    (void)!::read(signalPipe[0], &byte, 1);
#endif
    emit ending();
}

} // namespace tavrok
