#pragma once

// Lets GoogleTest print Qt strings readably in failure messages.
#include <QString>
#include <QStringList>
#include <ostream>
#include <type_traits>

inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}

namespace tavrok {
template <class Scale>
class Moment;
struct LocalScale;
template <class Scale>
void PrintTo(const Moment<Scale>& m, std::ostream* os) {
    *os << (std::is_same_v<Scale, LocalScale> ? "local " : "UTC ") << std::fixed << m.days();
}
} // namespace tavrok
