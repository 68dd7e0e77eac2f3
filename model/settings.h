#ifndef QEV_MODEL_SETTINGS_H_
#define QEV_MODEL_SETTINGS_H_

class TiXmlElement;
struct Workspace;

// Applies a settings element (FILES, PREPROCESSOR, SEARCHPATHS, CFLAGS, ...)
// to the project, target or configuration under the workspace's cursors.
// Elements of any other tag, and elements whose record is not there, change
// nothing.
void ReadSettingsElement(Workspace& workspace, const TiXmlElement& element);

// What becomes of a settings element read where the workspace's cursors
// stand, for the reader's checks.
enum class SettingFate {
  kNoSetting,  // not a settings element
  kRead,
  kUnread,  // nothing is there for it to fill
  // Outside any target, it fills the default configuration of the target
  // read before it.
  kFillsEarlierTarget,
};
SettingFate FateOfSetting(const Workspace& workspace,
                          const TiXmlElement& element);

#endif  // QEV_MODEL_SETTINGS_H_
