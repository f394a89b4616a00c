#pragma once

#include "proposals/proposalwriter.h"
#include "ui/screen.h"

#include <QList>

#include <memory>

class QAction;
class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WriterBodyFrame;
class WriterPricingFrame;

// "Write a Proposal": the customer the customer screen chose (the shared
// current record) becomes a stored, printed proposal in four steps, each a
// frame of this window. The screen is loaded for one proposal and unloaded
// after it.
class frmWriteProposal : public Screen {
    Q_OBJECT
public:
    frmWriteProposal(AppContext& ctx, ScreenManager& screens);
    ~frmWriteProposal() override;

    const ProposalWriter& writer() const { return *m_writer; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildLocation();
    QWidget* buildFinalize();
    QWidget* buildInstructions();
    QWidget* buildWriteButtons();
    void buildMenus();
    // Copies the model's view into every control, then focuses what it asks.
    void refresh();
    void act(const std::function<void()>& action);
    void leave(ProposalWriter::Next next);
    void finish(ProposalWriter::Stored stored);

    std::unique_ptr<ProposalWriter> m_writer;
    bool m_refreshing = false;

    QGroupBox* m_location = nullptr;
    QLabel* m_account = nullptr;
    QList<QLabel*> m_customerLines;
    QList<QLineEdit*> m_siteLines;
    QPushButton* m_jobSite = nullptr;
    WriterBodyFrame* m_body = nullptr;
    WriterPricingFrame* m_pricing = nullptr;
    QGroupBox* m_finalize = nullptr;
    QButtonGroup* m_disclaimer = nullptr;
    QComboBox* m_days = nullptr;
    QLabel* m_copies = nullptr;
    QPushButton* m_ready = nullptr;
    QGroupBox* m_print = nullptr;
    QList<QGroupBox*> m_instructions;
    QPushButton* m_otherCustomer = nullptr;
    QAction* m_itemsMenu = nullptr;
    QList<QAction*> m_sizes;
};
