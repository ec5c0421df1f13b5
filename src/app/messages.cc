#include "app/messages.h"

namespace velmora {

std::string ProgressCaption(int32_t done, int32_t total) {
  return "Searching the dictionary; completed " + std::to_string(done) + "/" + std::to_string(total);
}

std::string InputFileMessage(const Status& status) {
  return "The input file " + status.path + " could not be read: " + status.reason + ".";
}

std::string InventoryMessage(const Status& status) {
  return "The phoneme inventory " + status.path + " could not be read: " + status.reason + ".";
}

std::string ErrorText(const Status& status) {
  return " " + std::to_string(status.code) + " " + status.path + ": " + status.reason;
}

std::string GeneralFileErrorMessage(const Status& status) {
  // The description names the file, so that the user knows which one failed.
  return "Error.  Description is " + status.path + ": " + status.reason + ".  Please report to " + kMaintainerName +
         " at " + kMaintainerEmail + ", specifying code number 73468.";
}

std::string SettingsNotSavedMessage(const Status& status) {
  return "The settings could not be saved to " + status.path + ": " + status.reason + ".";
}

std::string CautionMessage(const Caution& caution) {
  if (caution.kind == Caution::kCodaInPlainData) {
    return "Caution:  the word " + caution.word + " contains the sound [" + caution.symbol +
           "], but you're doing a simulation specified for nonsyllabified segments.  You may want to adjust your "
           "input files.";
  }
  return "Caution:  the word " + caution.word + " contains the sound [" + caution.symbol +
         "], which is not on the list of phonemes AllSegments.txt.  You may want to adjust either in.txt or "
         "AllSegments.txt before continuing.  Click Yes to continue, No to exit program.";
}

std::string RefusalMessage(const Refusal& refusal) {
  if (refusal.kind == Refusal::kNoItems) return "Please type segments or natural classes in row of five boxes.";
  return "The item in Box # " + std::to_string(refusal.box) +
         " is neither a legal phoneme nor a legal natural class name.  Please fix this and click on the search "
         "button again.";
}

std::string AboutMessage() {
  return std::string(
             "Velmora was programmed by its author, of the Department of Linguistics, in 2011, and is kept "
             "up by ") +
         kMaintainerName + ".  There is no Mac version.  Please contact " + kMaintainerName + " (" +
         kMaintainerEmail + ") with bugs, queries, and dictionary corrections.";
}

}  // namespace velmora
