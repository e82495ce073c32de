#pragma once

#include <QString>

// Caption of every message box that names none of its own.
inline QString applicationTitle()
{
    return QStringLiteral("Brivo Reminder");
}

enum class Answer { Yes, No, Cancel };
enum class MessageKind { Question, Information, Error };

// The program's message boxes. The helpers fix captions and prefixes here, so
// every implementation shows (and every fake records) the final texts.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Yes/No question; true for Yes.
    bool Conferma(const QString& text, const QString& caption = QString())
    {
        return show(MessageKind::Question, captionOrTitle(caption), text, false) == Answer::Yes;
    }

    // Yes/No/Cancel question. Cancel means: drop the current operation without a word.
    Answer confirmOrCancel(const QString& text, const QString& caption = QString())
    {
        return show(MessageKind::Question, captionOrTitle(caption), text, true);
    }

    void information(const QString& text, const QString& caption = QString())
    {
        show(MessageKind::Information, captionOrTitle(caption), text, false);
    }

    // Error box; the text gets the "Errore: " prefix.
    void Errore(const QString& text, const QString& caption = QString())
    {
        show(MessageKind::Error, captionOrTitle(caption), QStringLiteral("Errore: ") + text, false);
    }

protected:
    // Shows one box and waits for the answer; information and error boxes,
    // which have only an OK button, give Yes.
    virtual Answer show(MessageKind kind, const QString& caption, const QString& text, bool withCancel) = 0;

private:
    static QString captionOrTitle(const QString& caption)
    {
        return caption.isEmpty() ? applicationTitle() : caption;
    }
};
