#pragma once

#include "print/pagedevice.h"
#include "shell/prompter.h"

#include <QString>

#include <memory>

// Where print jobs go: the platform printer, a PDF file, a recording. A flow
// shows the print dialog, opens one job per document and ends it.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;
    // Null when the job cannot be started; error() then says why.
    virtual std::unique_ptr<PageDevice> open(const PrintRequest& request) = 0;
    virtual QString error() const = 0;
};
