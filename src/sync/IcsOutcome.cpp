// The outcome's words for the command line: beside the program, not in the
// calendar module, since a missing module is one of them.
#include "sync/IcsFiles.h"

namespace IcsFiles {

QString describe(const IcsOutcome& o, const QString& path, bool exporting)
{
    switch (o.fault) {
    case IcsOutcome::Fault::CannotRead:
        return QStringLiteral("cannot read %1").arg(path);
    case IcsOutcome::Fault::NotCalendar:
        return QStringLiteral("%1 is not an iCalendar file; nothing imported").arg(path);
    case IcsOutcome::Fault::CannotWrite:
        return QStringLiteral("cannot write %1: %2").arg(path, o.detail);
    case IcsOutcome::Fault::Unavailable:
        return QStringLiteral("iCalendar files are not available (%1); nothing %2")
            .arg(o.detail, exporting ? QStringLiteral("exported") : QStringLiteral("imported"));
    case IcsOutcome::Fault::None:
        break;
    }
    if (exporting)
        return QStringLiteral("Exported %1 memos and %2 alarm clocks to %3").arg(o.memos).arg(o.alarms).arg(path);
    return QStringLiteral(
        "Imported from %1: %2 added, %3 updated, %4 not shown (no memo or alarm clock stands for them)")
        .arg(path)
        .arg(o.added)
        .arg(o.updated)
        .arg(o.skipped);
}

} // namespace IcsFiles
