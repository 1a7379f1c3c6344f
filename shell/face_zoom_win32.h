#pragma once
// The face's zoom between runs: kept in the registry of its own, never in the INI file,
// whose fields are fixed.

namespace torvik {

constexpr char kSettingsKey[] = "Software\\Fernwick\\Torvik";
constexpr char kZoomValueName[] = "FaceZoom";

// The stored zoom in percent; 100 when none is stored or the stored one is not a choice
// (a value of the wrong type or size, a number other than 100, 150 or 200).
int readFaceZoom();
// Stores the zoom; false when the registry refused it.
bool writeFaceZoom(int percent);

}  // namespace torvik
