// The document-file loader on arbitrary bytes: no crash, no undefined behaviour, and whatever
// loads must store and load again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "document/document_file.h"
#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vesk;
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  CHeadlessUserInterface ui;
  CVeskDoc doc(settings, ui);
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!CDocumentFile::Load(doc, bytes)) return 0;
  // The queries every view runs must end on whatever tree the file described.
  doc.StatusCounts();
  doc.CheckSerials();
  doc.SelectCategory(doc.GetTopCategory(), true);
  doc.IsInTrash();
  doc.ComputeUpdateTimes(doc.GetTopCategory());
  if (!doc.GetTopCategory() || !doc.GetWorkBox() || !doc.GetTrash()) std::abort();
  std::string stored = CDocumentFile::Store(doc);
  CVeskDoc again(settings, ui);
  if (!CDocumentFile::Load(again, stored)) std::abort();
  if (CDocumentFile::Store(again) != stored) std::abort();
  return 0;
}
