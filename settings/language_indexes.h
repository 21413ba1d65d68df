#pragma once
// Names of the language text indexes the program uses, so code says texts[kTextCancel] rather
// than texts[5]. This list is the one place that says which indexes are in use: the
// tests check that every one of them has a text in each shipped language file.
//
// GM_LANGUAGE_TEXT_INDEXES(X) calls X(name, index) once per text; it defines the constants below
// and kUsedLanguageTexts. Several uses may share one text (the same index under one name).
#include <cstddef>

#define GM_LANGUAGE_TEXT_INDEXES(X)                                                              \
  /* Language and main window */                                                                 \
  X(kTextLanguageName, 0)            /* the language's own name; "中文" switches the font */     \
  X(kTextProfiles, 1)                /* profile button caption; also the tray menu's show item */ \
  X(kTextExit, 2)                    /* tray menu exit item */                                   \
  X(kTextVersion, 3)                 /* followed by ":2.1.6" */                                  \
  X(kTextOk, 4)                                                                                  \
  X(kTextCancel, 5)                                                                              \
  X(kTextFactoryReset, 7)            /* factory reset button caption */                          \
  X(kTextMacroManager, 8)            /* macro manager button caption */                          \
  X(kTextButtonAssignment, 9)        /* left section caption above the key combos */             \
  X(kTextProfileList, 10)            /* first entry of the profile list popup */                 \
  X(kTextDpiHeader, 11)                                                                          \
  X(kTextReportRateHeader, 13)                                                                   \
  X(kTextDesktopMouseHeader, 14)                                                                 \
  X(kTextBatteryHeader, 15)                                                                      \
  X(kTextBatteryHigh, 16)            /* battery legend, green mark */                            \
  X(kTextBatteryMedium, 17)          /* orange mark */                                           \
  X(kTextBatteryLow, 18)             /* red mark */                                              \
  X(kTextLiftOffHeader, 19)                                                                      \
  /* Button functions: main menu entries and default button names */                             \
  X(kTextLeftClick, 20)                                                                          \
  X(kTextRightClick, 21)                                                                         \
  X(kTextMiddleClick, 22)                                                                        \
  X(kTextForward, 23)                /* fifth button, 10 10 00 */                                \
  X(kTextBack, 24)                   /* fourth button, 10 08 00 */                               \
  X(kTextDpiFunctions, 25)                                                                       \
  X(kTextRapidFire, 26)              /* menu entry and the name of a rapid-fire assignment */    \
  X(kTextTripleClick, 27)            /* rapid fire 50, 3 */                                      \
  X(kTextMacro, 28)                                                                              \
  X(kTextKeyCombination, 29)                                                                     \
  X(kTextMultimedia, 30)                                                                         \
  X(kTextOffice, 31)                                                                             \
  X(kTextWindowsFunctions, 32)                                                                   \
  X(kTextSoftwareFunction, 33)       /* 60 04 00 */                                              \
  X(kTextDisabled, 34)                                                                           \
  X(kTextDpiLock, 36)                /* followed by "-" and the DPI */                           \
  X(kTextLaunchProgram, 39)                                                                      \
  X(kTextDpiUp, 40)                  /* 40 02 00 */                                              \
  X(kTextDpiDown, 41)                /* 40 03 00 */                                              \
  X(kTextDpiCycle, 42)               /* 40 01 00, button 6's default */                          \
  X(kTextMediaPlayer, 45)                                                                        \
  X(kTextPreviousTrack, 46)                                                                      \
  X(kTextNextTrack, 47)                                                                          \
  X(kTextStop, 48)                                                                               \
  X(kTextPlayPause, 49)                                                                          \
  X(kTextMute, 50)                                                                               \
  X(kTextVolumeUp, 51)                                                                           \
  X(kTextVolumeDown, 52)                                                                         \
  X(kTextEmail, 53)                                                                              \
  X(kTextCalculator, 54)                                                                         \
  X(kTextCopy, 60)                                                                               \
  X(kTextPaste, 61)                                                                              \
  X(kTextCut, 62)                                                                                \
  X(kTextSelectAll, 63)                                                                          \
  X(kTextNew, 64)                    /* Ctrl+N */                                                \
  X(kTextSave, 65)                   /* Ctrl+S */                                                \
  X(kTextPrint, 66)                                                                              \
  X(kTextFileExplorer, 67)           /* Win+E */                                                 \
  X(kTextUndo, 68)                                                                               \
  X(kTextThisPc, 75)                 /* consumer usage 0x0194 */                                 \
  X(kTextCloseWindow, 76)            /* Alt+F4 */                                                \
  X(kTextShowDesktop, 77)            /* Win+D */                                                 \
  X(kTextRun, 78)                    /* Win+R */                                                 \
  X(kTextMinimizeWindow, 79)         /* Win+Down */                                              \
  X(kTextMaximizeWindow, 80)         /* Win+Up */                                                \
  /* Profiles */                                                                                 \
  X(kTextDefaultProfile1, 85)        /* default names of slots 0..4: 85 + slot */                \
  X(kTextDefaultProfile2, 86)                                                                    \
  X(kTextDefaultProfile3, 87)                                                                    \
  X(kTextDefaultProfile4, 88)                                                                    \
  X(kTextDefaultProfile5, 89)                                                                    \
  X(kTextProfileImport, 90)          /* profile context menu, codes 0..3 */                      \
  X(kTextProfileExport, 91)                                                                      \
  X(kTextProfileRename, 92)                                                                      \
  X(kTextProfileDelete, 93)                                                                      \
  /* Lighting effect names */                                                                    \
  X(kTextLightingZone2Default, 100)                                                              \
  X(kTextLightingEffect2, 101)                                                                   \
  X(kTextLightingEffect3, 102)                                                                   \
  X(kTextLightingEffect4, 103)                                                                   \
  X(kTextLightingOtherEffect, 109)   /* effect 0 and every effect without a name of its own */   \
  /* Notices and dialogs */                                                                      \
  X(kTextFactoryResetQuestion, 140)                                                              \
  X(kTextAddProfileTitle, 141)                                                                   \
  X(kTextImportProfileTitle, 142)                                                                \
  X(kTextExportProfileTitle, 143)                                                                \
  X(kTextRenameProfileTitle, 144)                                                                \
  X(kTextNoFreeProfile, 145)                                                                     \
  X(kTextApplying, 146)              /* progress dialog after an upload or reset */              \
  X(kTextEmptyProfileName, 147)                                                                  \
  X(kTextAttention, 150)             /* title of notices */                                      \
  X(kTextLeftButtonRequired, 151)                                                                \
  X(kTextCannotDeleteCurrentProfile, 152)                                                        \
  X(kTextNoMouseFound, 155)                                                                      \
  X(kTextMouseNotReachable, 156)     /* upload refused: receiver only, mouse offline */          \
  X(kTextRapidFireTitle, 170)                                                                    \
  X(kTextRapidFireInterval, 171)                                                                 \
  X(kTextRapidFireCount, 172)                                                                    \
  X(kTextRapidFireCountHint, 173)                                                                \
  X(kTextRapidFireIntervalRange, 174)                                                            \
  X(kTextDigitsOnly, 175)                                                                        \
  X(kTextRapidFireCountRange, 176)                                                               \
  X(kTextKeyCombinationTitle, 180)                                                               \
  X(kTextMacroNamePrefix, 190)       /* followed by the macro's name */                          \
  X(kTextSelectMacroTitle, 191)                                                                  \
  /* Macro manager */                                                                            \
  X(kTextNewButton, 200)             /* new macro button; profile list's add entry */            \
  X(kTextEditButton, 201)                                                                        \
  X(kTextDeleteButton, 202)                                                                      \
  X(kTextMacroManagerButton1, 203)   /* buttons 2010 and 2011 */                                 \
  X(kTextMacroManagerButton2, 204)                                                               \
  X(kTextInsertDelay, 205)           /* insert-action menu entries 4..9 */                       \
  X(kTextInsertKeyStroke, 206)                                                                   \
  X(kTextInsertMoveLeft, 207)                                                                    \
  X(kTextInsertMoveRight, 208)                                                                   \
  X(kTextInsertMoveUp, 209)                                                                      \
  X(kTextInsertMoveDown, 210)                                                                    \
  X(kTextRecord, 211)                /* record check button 2018 */                              \
  X(kTextRecordDelays, 212)          /* record-delays check box 2017 */                          \
  X(kTextMoveToTop, 213)             /* action-move menu, codes 0..3 */                          \
  X(kTextMoveActionUp, 214)                                                                      \
  X(kTextMoveActionDown, 215)                                                                    \
  X(kTextMoveToBottom, 216)                                                                      \
  X(kTextReplayWhileHeld, 217)       /* replay mode 1 */                                         \
  X(kTextReplayToggle, 218)          /* replay mode 4 */                                         \
  X(kTextReplayCount, 219)           /* replay mode 2 (repeat n times) */                        \
  X(kTextDelayTitle, 220)                                                                        \
  X(kTextKeyTitle, 221)                                                                          \
  X(kTextAmountMoveLeft, 222)        /* amount dialog label: 222 + insert code - 5 */            \
  X(kTextAmountMoveRight, 223)                                                                   \
  X(kTextAmountMoveUp, 224)                                                                      \
  X(kTextAmountMoveDown, 225)                                                                    \
  X(kTextAmountWheelUp, 226)                                                                     \
  X(kTextAmountWheelDown, 227)                                                                   \
  X(kTextMacroListLabel, 228)        /* labels of the macro manager's panels */                  \
  X(kTextActionListLabel, 229)                                                                   \
  X(kTextReplayModeLabel, 230)                                                                   \
  X(kTextTimesLabel, 231)                                                                        \
  X(kTextConfirmDelete, 232)                                                                     \
  X(kTextNothingSelected, 233)                                                                   \
  X(kTextSelectMacroFirst, 234)                                                                  \
  X(kTextRecordingLimit, 235)                                                                    \
  X(kTextNoMacroForInsert, 236)                                                                  \
  X(kTextActionLimit, 237)                                                                       \
  X(kTextRenameTitle, 238)                                                                       \
  X(kTextNewMacroTitle, 239)                                                                     \
  X(kTextEmptyName, 241)                                                                         \
  X(kTextNameExists, 242)                                                                        \
  X(kTextNewFolderTitle, 243)                                                                    \
  X(kTextMenuNewMacro, 245)          /* tree menu entries 1..8 */                                \
  X(kTextMenuNewFolder, 246)                                                                     \
  X(kTextMenuExportMacro, 247)                                                                   \
  X(kTextMenuImportMacro, 248)                                                                   \
  X(kTextMenuRename, 249)                                                                        \
  X(kTextMenuDelete, 250)                                                                        \
  X(kTextMenuImportSet, 251)                                                                     \
  X(kTextMenuExportSet, 252)                                                                     \
  X(kTextExportMacroTitle, 253)                                                                  \
  X(kTextImportMacroTitle, 254)                                                                  \
  X(kTextExportSetTitle, 255)                                                                    \
  X(kTextImportSetTitle, 256)                                                                    \
  X(kTextMacroInUse, 257)                                                                        \
  /* Main window sections */                                                                     \
  X(kTextDesktopMouseButton, 260)                                                                \
  X(kTextRateInterval125, 261)       /* report-rate centre texts by rate code 0, 1, 2, 3+ */     \
  X(kTextRateInterval250, 262)                                                                   \
  X(kTextRateInterval500, 263)                                                                   \
  X(kTextRateInterval1000Up, 264)                                                                \
  X(kTextPowerSavingHeader, 265)                                                                 \
  X(kTextPowerLabelBefore, 266)      /* power label: 266 + "%d" of the step 1..8 + 267 */        \
  X(kTextPowerLabelAfter, 267)                                                                   \
  X(kTextLiftOffExtra, 269)          /* radio 3509, LiftDetectionHeight 7 */                     \
  X(kTextLiftOff1, 270)              /* radio 3510, LiftDetectionHeight 1 */                     \
  X(kTextLiftOff2, 271)              /* radio 3511, LiftDetectionHeight 2 */                     \
  X(kTextDpiValueTitle, 273)                                                                     \
  /* Pairing */                                                                                  \
  X(kTextPairing1, 278)              /* animation: ticks modulo 3 = 0, 1, 2 */                   \
  X(kTextPairing2, 279)                                                                          \
  X(kTextPairing3, 280)                                                                          \
  X(kTextPairingFailed, 281)                                                                     \
  X(kTextPairingDone, 282)                                                                       \
  X(kTextPairButton, 283)                                                                        \
  X(kTextMouseOffline, 284)          /* yellow hint under the mouse picture */                   \
  X(kTextSensorHeader, 285)                                                                      \
  X(kTextAngleSnap, 286)                                                                         \
  X(kTextMotionSync, 287)                                                                        \
  X(kTextRippleControl, 288)                                                                     \
  X(kTextLaunchProgramTitle, 289)                                                                \
  /* Firmware update */                                                                          \
  X(kTextFirmwareNeedsCable, 291)                                                                \
  X(kTextFirmwareNotSupported, 292)                                                              \
  X(kTextFirmwareCurrent, 293)                                                                   \
  X(kTextFirmwareTitle, 294)                                                                     \
  X(kTextSystemUpdating, 295)        /* followed by "(%d/%d)" */                                 \
  X(kTextSystemWriteFailed, 296)                                                                 \
  X(kTextSystemVerifying, 297)       /* followed by "(%d/%d)" */                                 \
  X(kTextSystemVerifyFailed, 298)                                                                \
  X(kTextFirmwareErasing, 299)                                                                   \
  X(kTextFirmwareWriting, 300)                                                                   \
  X(kTextFirmwareWriteFailed, 301)                                                               \
  X(kTextFirmwareLastBlockFailed, 302)                                                           \
  X(kTextFirmwareVerifying, 303)                                                                 \
  X(kTextFirmwareStarting, 304)      /* followed by "  ....%d" countdowns */                     \
  X(kTextFirmwareRestarting, 305)                                                                \
  X(kTextFirmwareWaiting, 306)                                                                   \
  X(kTextFirmwareChecksumFailed, 307)                                                            \
  X(kTextFirmwareUpdateFailed, 308)                                                              \
  /* Software update */                                                                          \
  X(kTextUpdateCheckFailed, 332)                                                                 \
  X(kTextUpdateLatest, 333)                                                                      \
  X(kTextUpdateAvailable, 334)                                                                   \
  X(kTextDownloadButton, 335)                                                                    \
  X(kTextDownloading3, 336)          /* animation: counter mod 3 = 0 */                          \
  X(kTextDownloading1, 337)          /* counter mod 3 = 1 */                                     \
  X(kTextDownloading2, 338)          /* counter mod 3 = 2 */                                     \
  X(kTextDownloadDone, 339)                                                                      \
  /* Support */                                                                                  \
  X(kTextSupportContact, 350)        /* the notice of the main window's hidden key code */       \
  /* The downloaded installer checked against the digest published beside it */                 \
  X(kTextInstallerNotVerified, 390)  /* notice heading */                                        \
  X(kTextInstallerDigestMissing, 391)                                                            \
  X(kTextInstallerDigestInvalid, 392)                                                            \
  X(kTextInstallerDigestMismatch, 393)                                                           \
  X(kTextInstallerUnreadable, 394)                                                               \
  /* Key combination and program-launch dialogs */                                                \
  X(kTextNoModifier, 340)            /* the no-modifier check box */                             \
  X(kTextBrowse, 341)                /* the program-launch dialog's browse button */             \
  X(kTextKeyCaptureUnavailable, 342) /* KeyboardHook.dll missing or its hook refused */          \
  /* Macro recording */                                                                          \
  X(kTextRecordHookFailed, 360)      /* a keyboard or mouse hook could not be installed */       \
  /* Macro library saving and macro import */                                                    \
  X(kTextLibrarySaveFailed, 400)     /* the library file could not be written; edits kept */     \
  X(kTextImportUnreadable, 401)      /* the exchange file could not be opened */                 \
  X(kTextImportNoItem, 402)          /* the exchange file names no item to import */             \
  X(kTextImportNoRoom, 403)          /* no item of the file found a place */                     \
  X(kTextImportPartly, 404)          /* some items of an .mbf found no place */                  \
  /* Firmware update and pairing dialogs */                                                      \
  X(kTextFirmwareStopQuestion, 380)                                                              \
  X(kTextFirmwareBusy, 381)                                                                      \
  X(kTextFirmwareStopping, 382)                                                                  \
  X(kTextAppImageError, 383)                                                                     \
  X(kTextPairingBusy, 384)

namespace gm {

#define GM_LANGUAGE_TEXT_CONSTANT(name, index) inline constexpr int name = index;
GM_LANGUAGE_TEXT_INDEXES(GM_LANGUAGE_TEXT_CONSTANT)
#undef GM_LANGUAGE_TEXT_CONSTANT

// Every index named above, in the order of the list.
#define GM_LANGUAGE_TEXT_ENTRY(name, index) index,
inline constexpr int kUsedLanguageTexts[] = {GM_LANGUAGE_TEXT_INDEXES(GM_LANGUAGE_TEXT_ENTRY)};
#undef GM_LANGUAGE_TEXT_ENTRY

}  // namespace gm
