#pragma once
// The program image: the flat 20,000-byte copy of a design that the terminal receives,
// every text padded to its width. Building it first tidies the menus and forms in place.
#include <cstdint>

#include "definition/application_definition.h"
#include "link/download.h"

namespace torvik {

struct ProgramImage {
  std::uint8_t bytes[kImageSize] = {};
};

// Where the sections lie in the image: the definition's blocks from BarcodeSettings on, in
// their own order.
constexpr std::size_t imageOffsetOf(std::size_t definitionOffset) {
  return definitionOffset - offsetof(ApplicationDefinition, barcodeSettings);
}
constexpr std::size_t kImageMenus = imageOffsetOf(offsetof(ApplicationDefinition, menu));
constexpr std::size_t kImageForms = imageOffsetOf(offsetof(ApplicationDefinition, form));
constexpr std::size_t kImageLookups = imageOffsetOf(offsetof(ApplicationDefinition, lookup));
constexpr std::size_t kImageMessages = imageOffsetOf(offsetof(ApplicationDefinition, msgReserved));
constexpr std::size_t kImageWedge = imageOffsetOf(offsetof(ApplicationDefinition, wedgeSettings));
constexpr std::size_t kImageSystem = imageOffsetOf(offsetof(ApplicationDefinition, systemSettings));
constexpr std::size_t kImageWeight = imageOffsetOf(offsetof(ApplicationDefinition, weightCode));
constexpr std::size_t kImageUsedBytes = imageOffsetOf(kDefinitionSize);  // the rest stays zero
static_assert(kImageUsedBytes == 18842 && kImageMenus == 23 && kImageForms == 3523 && kImageWeight == 18830, "image layout");

// Pads every menu's caption and items to the menu's width and recounts its items; after
// each menu, the form of the same index gets its second pass.
void normaliseMenus(ApplicationDefinition& def);
// Both normalisations, then the serialisation; bytes past 18,841 are left as they are.
void buildProgramImage(ApplicationDefinition& def, ProgramImage& image);

}  // namespace torvik
