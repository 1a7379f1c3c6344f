#include "definition/application_definition.h"

#include <cstring>

namespace torvik {

namespace {
using AD = ApplicationDefinition;
#define TORVIK_BLOCK(name, member) {name, offsetof(AD, member), sizeof(AD::member)}
}  // namespace

const BlockInfo kBlocks[kBlockCount] = {
    TORVIK_BLOCK("VersionTag", versionTag),
    TORVIK_BLOCK("HeaderWord", headerWord),
    TORVIK_BLOCK("BarcodeSettings", barcodeSettings),
    TORVIK_BLOCK("MenuTable", menu),
    TORVIK_BLOCK("FormTable", form),
    TORVIK_BLOCK("LookupTable", lookup),
    TORVIK_BLOCK("MsgReserved", msgReserved),
    TORVIK_BLOCK("MsgMainMenu", msgMainMenu),
    TORVIK_BLOCK("MsgUtilitiesMenu", msgUtilitiesMenu),
    TORVIK_BLOCK("MsgDeleteData", msgDeleteData),
    TORVIK_BLOCK("MsgConfirm", msgConfirm),
    TORVIK_BLOCK("MsgMemoryPower", msgMemoryPower),
    TORVIK_BLOCK("MsgLoadLookup", msgLoadLookup),
    TORVIK_BLOCK("MsgSettingsMenu", msgSettingsMenu),
    TORVIK_BLOCK("MsgUploadPort", msgUploadPort),
    TORVIK_BLOCK("MsgDownloadPort", msgDownloadPort),
    TORVIK_BLOCK("MsgBaudRate", msgBaudRate),
    TORVIK_BLOCK("MsgBacklight", msgBacklight),
    TORVIK_BLOCK("MsgDataDeletion", msgDataDeletion),
    TORVIK_BLOCK("MsgEntryOptions", msgEntryOptions),
    TORVIK_BLOCK("MsgViewSettings", msgViewSettings),
    TORVIK_BLOCK("MsgSystemFault", msgSystemFault),
    TORVIK_BLOCK("MsgUploadData", msgUploadData),
    TORVIK_BLOCK("MsgPhoneNumber", msgPhoneNumber),
    TORVIK_BLOCK("MsgSaveRecord", msgSaveRecord),
    TORVIK_BLOCK("MsgDeleteRecord", msgDeleteRecord),
    TORVIK_BLOCK("MsgAutoDelete", msgAutoDelete),
    TORVIK_BLOCK("MsgPassword", msgPassword),
    TORVIK_BLOCK("MsgConnecting", msgConnecting),
    TORVIK_BLOCK("MsgModem", msgModem),
    TORVIK_BLOCK("MsgErrors", msgErrors),
    TORVIK_BLOCK("MsgMiscellaneous", msgMiscellaneous),
    TORVIK_BLOCK("MsgMiscContinuous", msgMiscContinuous),
    TORVIK_BLOCK("WedgeSettings", wedgeSettings),
    TORVIK_BLOCK("SystemSettings", systemSettings),
    TORVIK_BLOCK("WeightCode", weightCode),
};

#undef TORVIK_BLOCK

MessageGroupView messageGroup(ApplicationDefinition& def, int index) {
  static const int kWidth[kMessageGroupCount] = {16, 16, 21, 16, 16, 16, 16, 21, 21, 21, 21, 21, 21, 21,
                                                 21, 16, 16, 21, 16, 16, 16, 16, 16, 16, 21, 16, 21};
  if (index < 0 || index >= kMessageGroupCount) return {nullptr, 0, 0};
  const BlockInfo& block = kBlocks[kFirstMessageGroupBlock + index];
  const int width = kWidth[index];
  return {reinterpret_cast<char*>(bytesOf(def) + block.offset), static_cast<int>(block.size) / width, width};
}


}  // namespace torvik
