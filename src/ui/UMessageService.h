#pragma once
// The message box service `msgMain`: every message and question of the program goes
// through one of these, so tests can answer them without a modal box.

#include <QString>

class QWidget;

enum class TMsgKind { Information, Warning };
enum class TMsgButtons { Ok, OkCancel, SaveDontSaveCancel };
enum class TSaveAnswer { Save, DontSave, Cancel };

class TMessageService {
public:
    virtual ~TMessageService() = default;
    // Shows a box captioned "Information" or "Warning"; true when the user chose "OK".
    virtual bool Show(TMsgKind kind, const QString& text, TMsgButtons buttons) = 0;

    void Inform(const QString& text) { Show(TMsgKind::Information, text, TMsgButtons::Ok); }
    void Warn(const QString& text) { Show(TMsgKind::Warning, text, TMsgButtons::Ok); }
    // A question goes ahead only on "OK".
    bool Confirm(const QString& text) { return Show(TMsgKind::Information, text, TMsgButtons::OkCancel); }
    // "Save" (the default button), "Don't Save" or "Cancel" (Escape, or closing the box).
    virtual TSaveAnswer AskToSave(const QString& text) = 0;
};

// Modal QMessageBox boxes over a parent window.
class TQtMessageService : public TMessageService {
public:
    explicit TQtMessageService(QWidget* parent = nullptr)
        : Parent(parent)
    {
    }
    bool Show(TMsgKind kind, const QString& text, TMsgButtons buttons) override;
    TSaveAnswer AskToSave(const QString& text) override;

private:
    QWidget* Parent;
};
