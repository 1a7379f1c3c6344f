#include "definition/project_file.h"

#include <cctype>
#include <cstring>

#include "base/string_ids.h"
#include "definition/legacy_project.h"
#include "definition/new_defaults.h"
#include "base/ui_strings.h"

namespace torvik {

namespace {

constexpr std::size_t kTagSize = sizeof(ApplicationDefinition::versionTag);

// True when the first bytes name a file this program writes (or wrote in its first version).
bool hasCurrentTag(const std::uint8_t* bytes, std::size_t size, const ApplicationDefinition& def) {
  if (size >= kVersionTagCompared && std::memcmp(bytes, def.versionTag, kVersionTagCompared) == 0) return true;
  const std::size_t olderLength = sizeof kOlderVersionTag - 1;
  return size >= olderLength && std::memcmp(bytes, kOlderVersionTag, olderLength) == 0;
}

}  // namespace

void writeProjectFile(const ApplicationDefinition& def, std::uint8_t (&out)[kProjectFileSize]) {
  std::memcpy(out, bytesOf(def), kDefinitionSize);
  std::memset(out + kDefinitionSize, 0, kProjectTrailerSize);
}

void moveVibratorDuration(SystemSettings& settings) {
  if (settings.vibratorDuration != 0) return;
  settings.vibratorDuration = settings.vibratorDurationOld;
  settings.vibratorDurationOld = 0;
}

bool upgradeSchema(ApplicationDefinition& def, TextSource& strings) {
  SystemSettings& s = def.systemSettings;
  bool upgraded = false;
  if (s.schemaRevision < 2) {
    s.modemSpeed = 0;
    std::memset(s.downloadPhone, 0, sizeof s.downloadPhone);
    s.keyClick = 2;
    s.goodReadBeep = 1;
    s.warningBeep = 2;
    std::memset(s.soundSecurity, 0, sizeof s.soundSecurity);
    std::memset(s.unused143, 0, sizeof s.unused143);
    const int first = s.largeFont != 0 ? kStrSettingsSlotsLarge : kStrSettingsSlotsSmall;
    for (int i = 0; i < kSettingsTexts; ++i) {
      // A language file's text may be longer than the slot: it is cut to the slot's width.
      strings.copyText(first + i, s.settingsText[i], sizeof s.settingsText[i]);
    }
    s.schemaRevision = 2;
    upgraded = true;
  }
  if (s.schemaRevision < 3) {
    applyWeightCodeDefaults(def.weightCode);
    s.schemaRevision = 3;
    upgraded = true;
  }
  if (s.schemaRevision < 4) {
    for (FormRecord& form : def.form) form.errorAction = kErrorSkip;
    s.schemaRevision = 4;
    upgraded = true;
  }
  return upgraded;
}

LoadStatus projectFileKind(const std::uint8_t* bytes, std::size_t size, const ApplicationDefinition& def) {
  if (bytes == nullptr || size == 0) return LoadStatus::Mismatch;
  if (bytes[0] == 'R') return hasLegacySignature(bytes, size) ? LoadStatus::Legacy : LoadStatus::Mismatch;
  if (bytes[0] == 'T' && hasCurrentTag(bytes, size, def)) return LoadStatus::Loaded;
  return LoadStatus::Mismatch;
}

LoadResult loadProjectFile(const std::uint8_t* bytes, std::size_t size, ApplicationDefinition& def,
                           TextSource& strings) {
  LoadResult result;
  result.status = projectFileKind(bytes, size, def);
  if (result.status == LoadStatus::Mismatch) return result;
  if (result.status == LoadStatus::Legacy) {
    result.incomplete = !convertLegacyProject(bytes, size, def);
    return result;
  }

  // Every block after the tag, as far as the file goes; the in-memory tag stays.
  const std::size_t available = size > kTagSize ? size - kTagSize : 0;
  const std::size_t wanted = kDefinitionSize - kTagSize;
  const std::size_t taken = available < wanted ? available : wanted;
  std::memcpy(bytesOf(def) + kTagSize, bytes + kTagSize, taken);
  result.incomplete = taken < wanted;

  moveVibratorDuration(def.systemSettings);
  result.upgraded = upgradeSchema(def, strings);
  return result;
}

bool projectFileName(const char* chosen, char* out, std::size_t size) {
  if (chosen == nullptr || size == 0) return false;
  const std::size_t length = std::strlen(chosen);
  static const char kExtension[] = ".TVX";
  const std::size_t extensionLength = sizeof kExtension - 1;
  bool hasExtension = length >= extensionLength;
  for (std::size_t i = 0; hasExtension && i < extensionLength; ++i) {
    const unsigned char c = static_cast<unsigned char>(chosen[length - extensionLength + i]);
    hasExtension = std::toupper(c) == kExtension[i];
  }
  const std::size_t total = length + (hasExtension ? 0 : extensionLength);
  if (total + 1 > size) return false;
  std::memcpy(out, chosen, length);
  if (!hasExtension) std::memcpy(out + length, kExtension, extensionLength);
  out[total] = '\0';
  return true;
}

}  // namespace torvik
