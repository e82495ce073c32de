#include "sync/RawIcs.h"

namespace RawIcs {

namespace {

QByteArray unfolded(QByteArrayView line)
{
    QByteArray out;
    out.reserve(line.size());
    for (qsizetype i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\r' || c == '\n') {
            // A line break followed by a space or tab is folding; any other ends the line.
            qsizetype j = i;
            if (c == '\r' && j + 1 < line.size() && line[j + 1] == '\n')
                ++j;
            if (j + 1 < line.size() && (line[j + 1] == ' ' || line[j + 1] == '\t')) {
                i = j + 1;
                continue;
            }
            break;
        }
        out.append(c);
    }
    return out;
}

} // namespace

QByteArray propertyName(QByteArrayView line)
{
    const QByteArray text = unfolded(line);
    qsizetype end = 0;
    while (end < text.size() && text[end] != ';' && text[end] != ':')
        ++end;
    return text.left(end).trimmed().toUpper();
}

QByteArray Component::toBytes() const
{
    QByteArray out = begin;
    for (const Entry& e : entries)
        out += e.child ? e.child->toBytes() : e.bytes;
    return out + end;
}

QList<Component*> Component::children(QByteArrayView componentName)
{
    QList<Component*> found;
    for (Entry& e : entries) {
        if (e.child && e.child->name == componentName)
            found.append(e.child.get());
    }
    return found;
}

bool Component::removeProperties(QByteArrayView propertyName)
{
    const qsizetype before = entries.size();
    entries.removeIf([&](const Entry& e) { return !e.child && e.name == propertyName; });
    return entries.size() != before;
}

void Component::setProperty(QByteArrayView propertyName, const QByteArray& line)
{
    qsizetype at = -1;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!entries[i].child && entries[i].name == propertyName) {
            at = i;
            break;
        }
    }
    if (line.isEmpty()) {
        removeProperties(propertyName);
        return;
    }
    const Entry entry{propertyName.toByteArray(), line, nullptr};
    if (at >= 0) {
        entries[at] = entry;
        for (qsizetype i = entries.size() - 1; i > at; --i) {
            if (!entries[i].child && entries[i].name == propertyName)
                entries.removeAt(i);
        }
        return;
    }
    qsizetype firstChild = 0;
    while (firstChild < entries.size() && !entries[firstChild].child)
        ++firstChild;
    entries.insert(firstChild, entry);
}

void Component::removeChildren(QByteArrayView componentName)
{
    entries.removeIf([&](const Entry& e) { return e.child && e.child->name == componentName; });
}

void Component::appendChild(const Component& component)
{
    entries.append(Entry{{}, {}, std::make_shared<Component>(component)});
}

bool parse(QByteArrayView text, QList<Component>& components)
{
    components.clear();
    QList<std::shared_ptr<Component>> open;
    qsizetype pos = 0;
    while (pos < text.size()) {
        // One content line: up to a line break not followed by folding.
        qsizetype end = pos;
        while (end < text.size()) {
            if (text[end] == '\n' && !(end + 1 < text.size() && (text[end + 1] == ' ' || text[end + 1] == '\t'))) {
                ++end;
                break;
            }
            ++end;
        }
        const QByteArray line = text.sliced(pos, end - pos).toByteArray();
        pos = end;
        const QByteArray plain = unfolded(line);
        if (plain.trimmed().isEmpty()) {
            if (!open.isEmpty())
                open.last()->entries.append(Entry{{}, line, nullptr}); // kept, never lost
            continue;
        }
        const QByteArray name = propertyName(line);
        const QByteArray value = plain.mid(plain.indexOf(':') + 1).trimmed().toUpper();
        if (name == "BEGIN") {
            auto c = std::make_shared<Component>();
            c->name = value;
            c->begin = line;
            open.append(c);
        } else if (name == "END") {
            if (open.isEmpty() || open.last()->name != value)
                return false;
            auto c = open.takeLast();
            c->end = line;
            if (open.isEmpty())
                components.append(*c);
            else
                open.last()->entries.append(Entry{{}, {}, c});
        } else if (!open.isEmpty()) {
            open.last()->entries.append(Entry{name, line, nullptr});
        } else {
            return false;
        }
    }
    return open.isEmpty();
}

} // namespace RawIcs
