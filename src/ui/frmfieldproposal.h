#pragma once

#include "proposals/fieldproposal.h"
#include "ui/screen.h"

#include <memory>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

// "Creating Field Proposals": a blank proposal form for the customer the
// customer screen chose, stored under the next number and printed with
// sketch sheets if asked. Loaded hidden at start-up, it stays loaded.
class frmFieldProposal : public Screen {
    Q_OBJECT
public:
    frmFieldProposal(AppContext& ctx, ScreenManager& screens);
    ~frmFieldProposal() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void refresh();
    void act(const std::function<void()>& action);
    void finish(FieldPrintOutcome outcome);
    void toMenu();

    std::unique_ptr<FieldProposal> m_model;
    QLineEdit* m_next = nullptr;
    QButtonGroup* m_disclaimer = nullptr;
    QComboBox* m_days = nullptr;
    QCheckBox* m_sketch = nullptr;
    QComboBox* m_sketchCount = nullptr;
};
