// Writes the game's whole asset tree. Deterministic: the same bytes every run.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace assetgen {

// Relative path (as stored under assets/) -> file contents.
using AssetFiles = std::map<std::string, std::vector<uint8_t>>;

AssetFiles BuildAssets();
// Writes every file under outDir, creating folders; throws on I/O failure.
void WriteAssets(const AssetFiles& files, const std::string& outDir);

} // namespace assetgen
