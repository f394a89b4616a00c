#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class AppContext;
class BodyBuilder;

// The body templates of \Templates\Proposals: listed, loaded into the body,
// saved from it under a name the user types, and deleted, with the questions
// and messages of each.
class Templates {
public:
    enum class Saved { Written, Replaced, Declined, Cancelled, Refused, Failed };

    explicit Templates(AppContext& ctx) : m_ctx(ctx) {}

    // File names ("Roof.txt", ...) in the list; none means "Create from a
    // Template" cannot be chosen.
    QStringList list() const;
    bool available() const { return !list().isEmpty(); }

    // The template as the body takes it (each line followed by CR LF). A file
    // that has gone or cannot be read is reported; nothing comes back.
    std::optional<QString> load(const QString& fileName);

    // "Save As": the generic terms are added to the body when missing, then
    // the name is asked for. An unusable name is refused with a message and
    // nothing is written; an existing template is replaced only on Yes.
    Saved save(BodyBuilder& body);

    // "Delete": asks first; true when the file was deleted.
    bool remove(const QString& fileName);

    static QString emptyNameMessage();
    static QString unsafeNameMessage();

private:
    AppContext& m_ctx;
};
