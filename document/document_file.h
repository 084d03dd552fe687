// The .knd document file: an object stream of one FILEINFO and the LINKINFO records.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

class CVeskDoc;
struct LINKINFO;

constexpr std::uint32_t kDocFileVersion = 300;

// Writes and reads the document file's bytes; the file itself is handled by CVeskDoc.
class CDocumentFile {
 public:
  // The version-300 bytes of the document. Sets each node's m_nParentSerial as it is written.
  static std::string Store(CVeskDoc& doc);
  // Rebuilds the document from the bytes of a file of version 100, 101, 200-299 or 300.
  // False when the bytes are not such a file; the document is then in no defined state and the
  // caller starts a new one.
  static bool Load(CVeskDoc& doc, std::string_view bytes);
  // Gives nodes their parents from m_nParentSerial (first node in list order with that serial),
  // breaks parent loops, creates missing fixed categories and gives a new serial to any parent
  // that a save could not name unambiguously. Used by every loader.
  static void ResolveParents(CVeskDoc& doc);
  // The parent marker a save writes for node: -1/-2/-3 for the fixed categories, else the
  // parent's serial, or the work box's when the parent is not in the node list.
  static int SavedParentSerial(const CVeskDoc& doc, const LINKINFO* node);
  // Empties the document (default FILEINFO, genre list from the settings) for a builder that
  // then appends nodes with AppendNode and calls ResolveParents.
  static void Clear(CVeskDoc& doc);
  // Appends a node as loading does: constructor values, no node limit, no serial handed out.
  static LINKINFO* AppendNode(CVeskDoc& doc, int kind);

 private:
  struct Steps;
};

// The message for a file that is not a document file (Shift_JIS).
std::string UnexpectedFormatText();

}  // namespace vesk
