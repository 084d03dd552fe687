// The document as JSON (UTF-8) for `vesk-cli dump` and `vesk-cli load`.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "document/veskdoc.h"

namespace vesk::cli {

// Nodes in list order, parents as a save would write them.
nlohmann::ordered_json DocumentToJson(const CVeskDoc& doc);

// Rebuilds doc from json as the file loader would; false with a reason (UTF-8) in error when
// the JSON lacks a required value, has one of the wrong type, or holds a character that
// Shift_JIS cannot hold.
bool DocumentFromJson(CVeskDoc& doc, const nlohmann::json& json, std::string& error);

}  // namespace vesk::cli
