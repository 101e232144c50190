#pragma once
// The commands of the main menu: fixed numbers, so that a tool driving the program from outside (and
// our black-box test) can send them.
#include <windows.h>

namespace findlark {

enum MenuCommand : UINT {
    CommandSearch = 100,
    CommandPause,
    CommandLoadOptions,
    CommandSaveOptions,
    CommandExit,
    CommandSelectAll,
    CommandDelete,
    CommandCopy,
    CommandMove,
    CommandExport,
    CommandSortName,
    CommandSortFolder,
    CommandSortSize,
    CommandSortDate,
    CommandPreferences,
    CommandUsingHelp,
    CommandContents,
    CommandHelpCommon,
    CommandHelpAdditionalFolders,
    CommandHelpDateAndTime,
    CommandHelpSize,
    CommandHelpAttributes,
    CommandHelpContainingText,
    CommandHelpAdvanced,
    CommandHelpSearchOnTheInternet,
    CommandHelpWildcards,
    CommandTipOfTheDay,
    CommandOnTheWeb,
    CommandContacting,
    CommandAbout,
    CommandCopyFiles,
    CommandCopyPaths,
    CommandShowPreviewPane,
    CommandNextMatch,
    CommandPreviousMatch,
};

}  // namespace findlark
