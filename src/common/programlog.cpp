#include "common/programlog.h"

#include <QDebug>

namespace tavrok {

void zapisDoLogu(const QString& line) {
    qWarning().noquote() << "Tavrok:" << line;
}

} // namespace tavrok
