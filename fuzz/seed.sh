#!/usr/bin/env bash
# Builds the starting corpus of every fuzz target from the golden files of
# the tests: seed.sh <corpus folder>. Targets that read several kinds of file
# take the kind from the first byte of their input.
set -euo pipefail
data="$(cd "$(dirname "$0")/../tests/data" && pwd)"
out="$1"
mkdir -p "$out"

# seed <target> <kind byte or -> <golden file>...
seed() {
  local target="$1" kind="$2"
  shift 2
  mkdir -p "$out/$target"
  for f in "$@"; do
    local name
    name="$(echo "$f" | tr '/' '_')"
    if [ "$kind" = - ]; then
      cp "$data/$f" "$out/$target/$name"
    else
      { printf "\\x$(printf %02x "$kind")"; cat "$data/$f"; } >"$out/$target/$kind-$name"
    fi
  done
}

fieldfiles=(settings/TaxSettings.txt settings/Prompts.txt settings/PrintColors.txt
  settings/MyBusinessData.txt settings/Phone.txt settings/CallID.txt
  proposals/header_writer.txt proposals/header_finalize.txt proposals/payments_two.txt
  proposals/financials.txt accounts/payments-padded.txt shell/businessdata.txt)
for k in 0 1 3 5 7 11; do seed fieldline "$k" "${fieldfiles[@]}"; done

seed rawlines - proposals/template_roof.txt proposals/writer_body.txt \
  ui/speednumbers-hand-edited.txt settings/MyBusinessData.txt proposals/header_field.txt

seed records 0 customers/two-customers.bin customers/boxes-usa.bin customers/boxes-international.bin
seed records 1 customers/contract-default.bin
seed records 2 customers/cycle-default.bin
seed records 3 accounts/records/TAHistory.txt accounts/records/555-1234.txt
seed records 4 accounts/records/InvoiceSalesJournal.txt accounts/run-taxes/InvoiceSalesJournal.txt
seed records 5 accounts/records/TaxRecords.txt accounts/run-taxes/TaxRecords.txt
seed records 6 proposals/inventory_three.bin proposals/inventory_added.bin
seed records 7 proposals/custom_one.bin
seed records 8 accounts/run-cancelled/TIInvoiceNo.txt

seed proposal 0 proposals/header_writer.txt proposals/header_finalize.txt \
  proposals/header_invoiced.txt proposals/header_field.txt accounts/finalized/TolvarProposals/1001.txt
seed proposal 1 proposals/payments_one.txt proposals/payments_two.txt accounts/payments.txt \
  accounts/payments-padded.txt
seed proposal 2 proposals/financials.txt accounts/financials.txt

seed settings 0 settings/TaxSettings.txt
seed settings 1 settings/Prompts.txt
seed settings 4 settings/PrintColors.txt
seed settings 5 settings/Phone.txt
seed settings 6 settings/CallID.txt
seed settings 7 settings/MyWebSite.txt
seed settings 8 settings/MyBusinessData.txt settings/acme.txt shell/businessdata.txt

seed speeddial - ui/speednumbers-one.txt ui/speednumbers-two.txt ui/speednumbers-hand-edited.txt

seed templates - proposals/template_roof.txt proposals/writer_body.txt \
  accounts/finalized/TolvarProposals/ProposalBody/1001.txt
