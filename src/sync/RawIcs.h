#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <memory>

// A calendar object as its lines came. Each content line keeps its own bytes
// (folding and line end included), so that what the program does not own is
// written back exactly as another client left it. This only tells lines and
// nesting apart; libical reads the values.
namespace RawIcs {

struct Component;

struct Entry {
    QByteArray name;                  // property name, upper case; empty for a component
    QByteArray bytes;                 // the content line as it came
    std::shared_ptr<Component> child; // a nested component
};

struct Component {
    QByteArray name;       // VCALENDAR, VTODO, VALARM, ... upper case
    QByteArray begin, end; // the BEGIN and END lines as they came
    QList<Entry> entries;

    QByteArray toBytes() const;
    // The nested components of that name, in order.
    QList<Component*> children(QByteArrayView componentName);
    // Drops every property of that name; true when there was one.
    bool removeProperties(QByteArrayView propertyName);
    // Puts line in place of the first property of that name (dropping the
    // others), or before the first nested component when there is none.
    // An empty line only removes.
    void setProperty(QByteArrayView propertyName, const QByteArray& line);
    void removeChildren(QByteArrayView componentName);
    void appendChild(const Component& component);
};

// The top-level components of text; false when BEGIN and END do not pair.
bool parse(QByteArrayView text, QList<Component>& components);

// A content line's name: up to its first ';' or ':', upper case.
QByteArray propertyName(QByteArrayView line);

} // namespace RawIcs
