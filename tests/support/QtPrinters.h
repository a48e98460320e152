#pragma once

// Readable failure messages for the Qt value types the tests compare.

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }
inline void PrintTo(const QSize& s, std::ostream* os) { *os << s.width() << "x" << s.height(); }
inline void PrintTo(const QLine& l, std::ostream* os) {
    *os << "(" << l.x1() << ", " << l.y1() << ")-(" << l.x2() << ", " << l.y2() << ")";
}
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.width() << "x" << r.height() << "+" << r.x() << "+" << r.y();
}
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE
