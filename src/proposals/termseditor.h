#pragma once

#include <QString>

#include <array>

class AppContext;

// The custom terms screen: the user's terms and disclaimer boxes with the
// actions of its buttons. The texts stay in the model until a Save writes
// them; clearing a box never touches its file.
class TermsEditor {
public:
    enum class Box { Terms = 0, Disclaimer = 1 };

    explicit TermsEditor(AppContext& ctx);

    const QString& text(Box box) const { return m_texts.at(index(box)); }
    // "Custom Terms" / "Custom Disclaimer".
    static QString name(Box box);
    static QString filePath(Box box);

    void edit(Box box, const QString& text);
    // Both boxes from their files (the screen's loading).
    void loadAll();
    // From the file, restored from \Backup if need be; a missing file leaves
    // the box as it is. False when the file could not be read (the user was
    // told).
    bool load(Box box);
    // False when the file could not be written (the user was told which and
    // why); the box keeps its text.
    bool save(Box box);
    // Empties the box and tells the user the file is still there.
    void clear(Box box);
    // Deletes the file without asking; the box keeps its text.
    bool remove(Box box);

private:
    static int index(Box box) { return static_cast<int>(box); }

    AppContext& m_ctx;
    std::array<QString, 2> m_texts;
};
