// Body templates and proposal bodies from anywhere: a template loads as lines
// each ended by CR LF, and saving what was loaded loads back the same lines
// and the one blank line that every save ends with.
#include "fuzzsupport.h"

#include "proposals/proposalfiles.h"

namespace {
ScratchFolder& scratch() {
    static ScratchFolder folder;
    return folder;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray file = fuzzBytes(data, size);
    FileStore& store = scratch().store();
    scratch().put(QStringLiteral("Templates/Proposals/Fuzz.txt"), file);
    const FileRead<QString> first = ProposalFiles::loadTemplate(store, QStringLiteral("Fuzz.txt"));
    FUZZ_CHECK(first.status.ok());
    FUZZ_CHECK(first.value.has_value());
    FUZZ_CHECK(first.value->isEmpty() || first.value->endsWith(QStringLiteral("\r\n")));
    FUZZ_CHECK(ProposalFiles::saveTemplate(store, QStringLiteral("Again"), *first.value).ok());
    const FileRead<QString> again = ProposalFiles::loadTemplate(store, QStringLiteral("Again"));
    FUZZ_CHECK(again.value.has_value());
    FUZZ_CHECK(*again.value == *first.value + QStringLiteral("\r\n"));

    scratch().put(QStringLiteral("TolvarProposals/ProposalBody/1001.txt"), file);
    const FileRead<QStringList> body =
        ProposalFiles::readBodyLines(store, QStringLiteral("1001.txt"));
    FUZZ_CHECK(body.value.has_value());
    FUZZ_CHECK(ProposalFiles::joinBodyLines(*body.value) == *first.value);
    return 0;
}
