#include "sync/IcsItems.h"
#include "sync/RawIcs.h"

#include <QUuid>

#include <libical/ical.h>

#include <algorithm>
#include <memory>

namespace Ics {

namespace {

const char prodId[] = "-//Brivo//Brivo Reminder//IT";
// What the program keeps of an item that iCalendar has no place for.
const char xTime[] = "X-BRIVO-TIME";   // the memo's time of a memo due on a date only
const char xSound[] = "X-BRIVO-SOUND"; // the alarm clock's sound

struct IcalFree {
    void operator()(icalcomponent* c) const
    {
        icalcomponent_free(c);
    }
};
using Calendar = std::unique_ptr<icalcomponent, IcalFree>;

Calendar parseObject(QByteArrayView object)
{
    const QByteArray text = object.toByteArray(); // NUL-terminated
    return Calendar(icalparser_parse_string(text.constData()));
}

// The master item of that kind: not an override of one occurrence.
icalcomponent* master(icalcomponent* cal, icalcomponent_kind kind)
{
    if (!cal)
        return nullptr;
    if (icalcomponent_isa(cal) == kind)
        return cal;
    for (icalcomponent* c = icalcomponent_get_first_component(cal, kind); c;
         c = icalcomponent_get_next_component(cal, kind)) {
        if (!icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
            return c;
    }
    return nullptr;
}

QByteArray propertyText(icalproperty* p)
{
    char* s = icalproperty_as_ical_string_r(p);
    QByteArray text(s);
    icalmemory_free_buffer(s);
    icalproperty_free(p);
    return text;
}

QByteArray componentText(icalcomponent* c)
{
    char* s = icalcomponent_as_ical_string_r(c);
    QByteArray text(s);
    icalmemory_free_buffer(s);
    return text;
}

icaltimetype floatingTime(const QDateTime& dt)
{
    icaltimetype t = icaltime_null_time();
    t.year = dt.date().year();
    t.month = dt.date().month();
    t.day = dt.date().day();
    t.hour = dt.time().hour();
    t.minute = dt.time().minute();
    t.second = dt.time().second();
    return t;
}

icaltimetype dateOnly(QDate d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

// A time as the local wall clock: floating as it is, a zoned one converted.
QDateTime localTime(icaltimetype t)
{
    const QDate date(t.year, t.month, t.day);
    if (t.is_date)
        return QDateTime(date, QTime(0, 0));
    if (icaltime_is_utc(t) || t.zone) {
        const icaltimezone* zone = t.zone ? t.zone : icaltimezone_get_utc_timezone();
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, zone));
    }
    return QDateTime(date, QTime(t.hour, t.minute, t.second));
}

QString xValue(icalcomponent* c, const char* name)
{
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (qstrcmp(icalproperty_get_x_name(p), name) == 0)
            return QString::fromUtf8(icalproperty_get_x(p));
    }
    return {};
}

QByteArray xLine(const char* name, const QString& value)
{
    icalproperty* p = icalproperty_new_x(value.toUtf8().constData());
    icalproperty_set_x_name(p, name);
    return propertyText(p);
}

QTime timeOf(DayNumber orario)
{
    const QTime t = DayNumbers::toTime(DayNumbers::fractionPart(orario));
    return QTime(t.hour(), t.minute(), t.second()); // iCalendar counts whole seconds
}

// The lines that stand for what the program owns of an item, by name. A
// pair that differs between what the item said and what the record says now
// is rewritten; the others stay as they came.
struct Owned {
    QList<std::pair<QByteArray, QByteArray>> properties; // name, line (empty: absent)
    QByteArray trigger;                                  // the alarm's TRIGGER line; empty: no alarm
    QByteArray alarmDescription;
};

Owned ownedOfMemo(const REC_Memo& m)
{
    Owned o;
    o.properties.append({"SUMMARY", propertyText(icalproperty_new_summary(m.Nota.toUtf8().constData()))});
    const QDate date = DayNumbers::toDate(m.Data);
    const QTime time = timeOf(m.Orario);
    const bool timed = m.TipoOrario != ORARIO_ASSENTE;
    o.properties.append(
        {"DUE", propertyText(icalproperty_new_due(timed ? floatingTime(QDateTime(date, time)) : dateOnly(date)))});
    // A date-only due keeps the time the alarm is counted from.
    o.properties.append({xTime, timed ? QByteArray() : xLine(xTime, time.toString(u"HH:mm:ss"))});
    o.properties.append({"STATUS",
        propertyText(icalproperty_new_status(m.Eseguito == 1 ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION))});
    if (m.Attivo == 1) {
        // Relative to DUE; a date-only due counts from its midnight.
        const int seconds = (timed ? 0 : DayNumbers::hoursMinutes(m.Orario) * 60) + m.Anticipo * 60;
        icalproperty* trigger = icalproperty_new_trigger(icaltriggertype_from_int(seconds));
        icalproperty_add_parameter(trigger, icalparameter_new_related(ICAL_RELATED_END));
        o.trigger = propertyText(trigger);
        o.alarmDescription = m.Nota.toUtf8();
    }
    return o;
}

// Alarm clocks start on a fixed Monday, or the first of their weekday after
// it, so the same alarm clock always makes the same object.
QDate anchorDate(const REC_Sveglia& s)
{
    const QDate monday(2024, 1, 1);
    if (s.TipoSveglia != SVEGLIA_UN_GIORNO || s.Giorno < 1 || s.Giorno > 7)
        return monday;
    return monday.addDays((s.Giorno - 2 + 7) % 7);
}

Owned ownedOfAlarm(const REC_Sveglia& s)
{
    Owned o;
    o.properties.append({"SUMMARY", propertyText(icalproperty_new_summary(s.Messaggio.toUtf8().constData()))});
    o.properties.append(
        {"DTSTART", propertyText(icalproperty_new_dtstart(floatingTime(QDateTime(anchorDate(s), timeOf(s.Orario)))))});
    icalrecurrencetype rule;
    icalrecurrencetype_clear(&rule);
    // The engine rings every kind but a weekday one every day.
    if (s.TipoSveglia == SVEGLIA_UN_GIORNO && s.Giorno >= 1 && s.Giorno <= 7) {
        rule.freq = ICAL_WEEKLY_RECURRENCE;
        rule.by_day[0] = short(s.Giorno); // Sunday = 1, as Giorno counts
        rule.by_day[1] = ICAL_RECURRENCE_ARRAY_MAX;
    } else {
        rule.freq = ICAL_DAILY_RECURRENCE;
    }
    o.properties.append({"RRULE", propertyText(icalproperty_new_rrule(rule))});
    o.properties.append({xSound, xLine(xSound, s.Suono)});
    if (s.Attivo == 1) {
        icalproperty* trigger = icalproperty_new_trigger(icaltriggertype_from_int(0));
        icalproperty_add_parameter(trigger, icalparameter_new_related(ICAL_RELATED_START));
        o.trigger = propertyText(trigger);
        o.alarmDescription = s.Messaggio.toUtf8();
    }
    return o;
}

QByteArray alarmComponentText(const Owned& o)
{
    icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    // DISPLAY needs a description; an empty text still needs something to show.
    icalcomponent_add_property(alarm,
        icalproperty_new_description(o.alarmDescription.isEmpty() ? "Brivo Reminder" : o.alarmDescription.constData()));
    const QByteArray text = componentText(alarm);
    icalcomponent_free(alarm);
    // The trigger line goes in as made, so it compares equal to itself later.
    const qsizetype end = text.lastIndexOf("END:VALARM");
    return text.left(end) + o.trigger + text.mid(end);
}

QByteArray newObject(const char* kind, const QString& uid, const QDateTime& stamp, const Owned& o)
{
    QByteArray text = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:" + QByteArray(prodId) + "\r\n";
    text += "BEGIN:" + QByteArray(kind) + "\r\n";
    text += propertyText(icalproperty_new_uid(uid.toUtf8().constData()));
    text += propertyText(icalproperty_new_dtstamp(
        icaltime_from_timet_with_zone(time_t(stamp.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone())));
    for (const auto& [name, line] : o.properties)
        text += line;
    if (!o.trigger.isEmpty())
        text += alarmComponentText(o);
    return text + "END:" + QByteArray(kind) + "\r\nEND:VCALENDAR\r\n";
}

// Rewrites in original only what differs between was (the item as it
// came) and now.
QByteArray spliced(QByteArrayView original, const char* kind, const Owned& was, const Owned& now, bool undone)
{
    QList<RawIcs::Component> top;
    if (!RawIcs::parse(original, top) || top.size() != 1)
        return {};
    RawIcs::Component* item = nullptr;
    for (RawIcs::Component* c : top[0].children(kind)) {
        bool override = false;
        for (const RawIcs::Entry& e : c->entries)
            override = override || (!e.child && e.name == "RECURRENCE-ID");
        if (!override) {
            item = c;
            break;
        }
    }
    if (!item)
        return {};
    for (qsizetype i = 0; i < now.properties.size(); ++i) {
        if (now.properties[i] != was.properties[i])
            item->setProperty(now.properties[i].first, now.properties[i].second);
    }
    // A done mark taken back takes its completion with it.
    if (undone) {
        item->removeProperties("COMPLETED");
        item->removeProperties("PERCENT-COMPLETE");
    }
    if (now.trigger != was.trigger) {
        QList<RawIcs::Component*> alarms = item->children("VALARM");
        if (now.trigger.isEmpty()) {
            item->removeChildren("VALARM"); // the bell switched off: no client rings it
        } else if (!alarms.isEmpty()) {
            alarms[0]->setProperty("TRIGGER", now.trigger);
        } else {
            QList<RawIcs::Component> made;
            RawIcs::parse(alarmComponentText(now), made);
            item->appendChild(made.value(0));
        }
    }
    return top[0].toBytes();
}

// When the item's alarm rings, as the local clock counts it; invalid for none.
QDateTime alarmMoment(icalcomponent* item, const QDateTime& due, const QDateTime& start)
{
    for (icalcomponent* a = icalcomponent_get_first_component(item, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(item, ICAL_VALARM_COMPONENT)) {
        icalproperty* p = icalcomponent_get_first_property(a, ICAL_TRIGGER_PROPERTY);
        if (!p)
            continue;
        const icaltriggertype trigger = icalproperty_get_trigger(p);
        if (!icaltime_is_null_time(trigger.time))
            return localTime(trigger.time);
        const icalparameter* related = icalproperty_get_first_parameter(p, ICAL_RELATED_PARAMETER);
        const bool fromEnd
            = related && icalparameter_get_related(const_cast<icalparameter*>(related)) == ICAL_RELATED_END;
        const QDateTime base = fromEnd || !start.isValid() ? due : start;
        if (base.isValid())
            return base.addSecs(icaldurationtype_as_int(trigger.duration));
    }
    return {};
}

QDateTime propertyTime(icalcomponent* item, icalproperty_kind kind, bool* isDate = nullptr)
{
    icalproperty* p = icalcomponent_get_first_property(item, kind);
    if (!p)
        return {};
    const icaltimetype t = icalproperty_get_datetime_with_component(p, item);
    if (icaltime_is_null_time(t) || !icaltime_is_valid_time(t))
        return {};
    if (isDate)
        *isDate = t.is_date;
    return localTime(t);
}

bool readMemoFrom(icalcomponent* item, REC_Memo& m, QString& uid)
{
    uid = QString::fromUtf8(icalcomponent_get_uid(item));
    m.Nota = QString::fromUtf8(icalcomponent_get_summary(item));
    m.Eseguito = icalcomponent_get_status(item) == ICAL_STATUS_COMPLETED
            || icalcomponent_get_first_property(item, ICAL_COMPLETED_PROPERTY)
        ? 1
        : 0;
    bool dateOnlyDue = false;
    const QDateTime due = propertyTime(item, ICAL_DUE_PROPERTY, &dateOnlyDue);
    if (due.isValid()) {
        m.Data = DayNumbers::fromDate(due.date());
        m.TipoOrario = dateOnlyDue ? ORARIO_ASSENTE : ORARIO_PRESENTE;
        if (!dateOnlyDue)
            m.Orario = DayNumbers::fromTime(due.time());
    }
    const QDateTime dueMoment = due.isValid() ? due : QDateTime(DayNumbers::toDate(m.Data), QTime(0, 0));
    const QDateTime alarm = alarmMoment(item, dueMoment, propertyTime(item, ICAL_DTSTART_PROPERTY));
    m.Attivo = alarm.isValid() ? 1 : 0;
    // A date-only due: the time this program kept, else the alarm's own time that day.
    const QTime kept = m.TipoOrario == ORARIO_ASSENTE ? QTime::fromString(xValue(item, xTime), u"HH:mm:ss") : QTime();
    if (kept.isValid())
        m.Orario = DayNumbers::fromTime(kept);
    if (!alarm.isValid())
        return true;
    if (m.TipoOrario != ORARIO_ASSENTE) {
        m.Anticipo = qint32(dueMoment.secsTo(alarm) / 60);
        return true;
    }
    if (!kept.isValid()) {
        const bool sameDay = alarm.date() == dueMoment.date();
        m.Orario = sameDay ? DayNumbers::fromTime(QTime(alarm.time().hour(), alarm.time().minute())) : 0;
    }
    m.Anticipo = qint32(QDateTime(dueMoment.date(), timeOf(m.Orario)).secsTo(alarm) / 60);
    return true;
}

bool readAlarmFrom(icalcomponent* item, REC_Sveglia& s, QString& uid)
{
    icalproperty* rrule = icalcomponent_get_first_property(item, ICAL_RRULE_PROPERTY);
    const QDateTime start = propertyTime(item, ICAL_DTSTART_PROPERTY);
    if (!rrule || !start.isValid())
        return false;
    const icalrecurrencetype rule = icalproperty_get_rrule(rrule);
    if (rule.freq == ICAL_DAILY_RECURRENCE) {
        s.TipoSveglia = SVEGLIA_OGNI_GIORNO;
    } else if (rule.freq == ICAL_WEEKLY_RECURRENCE) {
        s.TipoSveglia = SVEGLIA_UN_GIORNO;
        // The first of several weekdays is the one shown.
        s.Giorno = rule.by_day[0] != ICAL_RECURRENCE_ARRAY_MAX ? int(icalrecurrencetype_day_day_of_week(rule.by_day[0]))
                                                               : DayNumbers::weekday(start.date());
    } else {
        return false;
    }
    uid = QString::fromUtf8(icalcomponent_get_uid(item));
    s.Messaggio = QString::fromUtf8(icalcomponent_get_summary(item));
    s.Orario = DayNumbers::fromTime(start.time());
    s.Attivo = alarmMoment(item, start, start).isValid() ? 1 : 0;
    if (icalcomponent_get_first_property(item, ICAL_X_PROPERTY) && !xValue(item, xSound).isEmpty())
        s.Suono = xValue(item, xSound);
    return true;
}

} // namespace

QByteArray memoObject(const REC_Memo& memo, const QString& uid, QByteArrayView original, const QDateTime& stamp)
{
    REC_Memo was = memo;
    QString oldUid;
    if (!original.isEmpty() && readMemo(original, was, oldUid)) {
        const QByteArray text
            = spliced(original, "VTODO", ownedOfMemo(was), ownedOfMemo(memo), was.Eseguito == 1 && memo.Eseguito != 1);
        if (!text.isEmpty())
            return text;
    }
    return newObject("VTODO", uid, stamp, ownedOfMemo(memo));
}

QByteArray alarmObject(const REC_Sveglia& alarm, const QString& uid, QByteArrayView original, const QDateTime& stamp)
{
    REC_Sveglia was = alarm;
    QString oldUid;
    if (!original.isEmpty() && readAlarm(original, was, oldUid)) {
        const QByteArray text = spliced(original, "VEVENT", ownedOfAlarm(was), ownedOfAlarm(alarm), false);
        if (!text.isEmpty())
            return text;
    }
    return newObject("VEVENT", uid, stamp, ownedOfAlarm(alarm));
}

bool readMemo(QByteArrayView object, REC_Memo& memo, QString& uid)
{
    const Calendar cal = parseObject(object);
    icalcomponent* item = master(cal.get(), ICAL_VTODO_COMPONENT);
    return item && readMemoFrom(item, memo, uid);
}

bool readAlarm(QByteArrayView object, REC_Sveglia& alarm, QString& uid)
{
    const Calendar cal = parseObject(object);
    icalcomponent* item = master(cal.get(), ICAL_VEVENT_COMPONENT);
    return item && readAlarmFrom(item, alarm, uid);
}

Kind kindOf(QByteArrayView object)
{
    const Calendar cal = parseObject(object);
    if (!cal)
        return Kind::Invalid;
    if (master(cal.get(), ICAL_VTODO_COMPONENT))
        return Kind::Memo;
    REC_Sveglia s;
    QString uid;
    icalcomponent* event = master(cal.get(), ICAL_VEVENT_COMPONENT);
    return event && readAlarmFrom(event, s, uid) ? Kind::Alarm : Kind::Other;
}

QString newUid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces) + QStringLiteral("@brivo-reminder");
}

qint32 nextMemoId(const MemoList& memos)
{
    qint32 top = 0;
    for (const REC_Memo& other : memos)
        top = std::max(top, other.ID);
    return top + 1;
}

} // namespace Ics
