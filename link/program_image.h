#pragma once
// The program image: the flat 20,000-byte copy of a design that the terminal receives,
// every text padded to its width. Building it first tidies the menus and forms in place.
#include <cstdint>

#include "definition/application_definition.h"
#include "link/download.h"

namespace torvik {

constexpr std::size_t kImageUsedBytes = 18842;  // the rest stays zero

struct ProgramImage {
  std::uint8_t bytes[kImageSize] = {};
};

// Where the sections lie in the image.
constexpr std::size_t kImageMenus = 23;
constexpr std::size_t kImageForms = 3523;
constexpr std::size_t kImageLookups = 15673;
constexpr std::size_t kImageMessages = 16039;
constexpr std::size_t kImageWedge = 18507;
constexpr std::size_t kImageSystem = 18562;
constexpr std::size_t kImageWeight = 18830;

void normaliseForms(ApplicationDefinition& def);
// Pads every menu's caption and items to the menu's width and recounts its items; after
// each menu, the form of the same index gets its second pass.
void normaliseMenus(ApplicationDefinition& def);
// Both normalisations, then the serialisation; bytes past 18,841 are left as they are.
void buildProgramImage(ApplicationDefinition& def, ProgramImage& image);

}  // namespace torvik
