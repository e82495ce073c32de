#pragma once

#include "controls/Currency.h"

#include <QLineEdit>

#include <functional>

// A one-line edit for a number. It does not parse: every change of the text
// goes to OnChangeFiltroUtente, which accepts it and gives its value, or
// refuses it, and a refused change is undone at once.
class TA_EditCurr : public QLineEdit {
    Q_OBJECT

public:
    explicit TA_EditCurr(QWidget* parent = nullptr);

    // Validate Text_New (Text_old = last accepted text); Accettabile_on starts true, Valore_out 0.
    std::function<void(const QString& Text_New, const QString& Text_old, bool& Accettabile_on, Currency& Valore_out)>
        OnChangeFiltroUtente;
    // After each accepted change.
    std::function<void(TA_EditCurr* Sender)> OnChange;
    // The field got the focus (after its text was prepared for typing).
    std::function<void(TA_EditCurr* Sender)> OnEnter;
    // The field was left, or DoExit was called.
    std::function<void(TA_EditCurr* Sender)> OnExit;

    bool Null_se_vale_zero = false; // show a zero value as an empty text
    Currency Valore;                // the current value

    // Who is changing the text: 1 user, 2 undoing, 3 leaving, 4 emptying a zero, 5 resetting.
    int Stato_Cambio() const
    {
        return m_statoCambio;
    }
    QString Testo_Accettato() const
    {
        return m_testoAccettato;
    }

    // Value 0, text "0" (or empty with Null_se_vale_zero), then the leaving step.
    void Azzera();
    // The leaving-the-field step: rewrites the text from Valore and raises OnExit.
    // The windows call it after storing a number in Valore.
    void DoExit();

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void textChangeStep();
    QString valueText() const;

    int m_statoCambio = 1;
    QString m_testoAccettato;
    bool m_awayWithWindow = false; // focus left with the window, not the field
};
