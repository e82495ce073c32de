#pragma once

#include "platform/MessageBoxes.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Records every box instead of showing it and answers questions from a
// script: setNextAnswer() queues answers, and an empty queue answers No.
class FakeMessageBoxes : public MessageBoxes {
public:
    struct Shown {
        MessageKind kind;
        QString caption;
        QString text;
        bool withCancel;
    };

    void setNextAnswer(Answer answer)
    {
        m_answers.append(answer);
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Shown& box : shown)
            list.append(box.text);
        return list;
    }

    QList<Shown> shown;
    std::function<void()> whileShown;

protected:
    Answer show(MessageKind kind, const QString& caption, const QString& text, bool withCancel) override
    {
        shown.append({kind, caption, text, withCancel});
        if (whileShown)
            whileShown(); // what the program does while the box waits

        if (kind != MessageKind::Question)
            return Answer::Yes;
        return m_answers.isEmpty() ? Answer::No : m_answers.takeFirst();
    }

private:
    QList<Answer> m_answers;
};
