/* Command and control ids of the tenvo program's resources.
 *
 * Plain #defines only, so that this header can be included by the resource
 * script (windres) as well as by C and C++ code.
 *
 * The resources themselves are NAMED, not numbered: the program loads them by
 * their string names ("TMENU", "TENVO_ACCELERATOR1", "IDD_DIALOG1", "ABOUT",
 * "IDD_DIALOG2", "BITMAP_1", "IDI_ICON1"). Those names must therefore never be
 * defined as macros here (a macro would turn the resource into a numbered one
 * and the program would no longer find it). The TENVO_RES_* strings below are
 * the names for C/C++ callers.
 */
#ifndef TENVO_RESOURCE_H
#define TENVO_RESOURCE_H

/* ---- Resource names (for LoadMenuA, DialogBoxParamA, ...) ---- */
#define TENVO_RES_MENU "TMENU"
#define TENVO_RES_ACCELERATORS "TENVO_ACCELERATOR1"
#define TENVO_RES_DATE_DIALOG "IDD_DIALOG1"
#define TENVO_RES_ABOUT_DIALOG "ABOUT"
#define TENVO_RES_SPLASH_DIALOG "IDD_DIALOG2"
#define TENVO_RES_BITMAP "BITMAP_1"
#define TENVO_RES_ICON "IDI_ICON1"

/* ---- Menu commands (low word of WM_COMMAND's first parameter) ---- */
#define IDM_EXIT 2                /* "&E終了"; the same value as IDCANCEL */
#define IDM_DATE 40001            /* "&D日付": the date-entry dialog */
#define IDM_FONT 40002            /* "&Fﾌｫﾝﾄ": the font chooser */
#define IDM_HELP_TOPICS 40003     /* "&Hﾄﾋﾟｯｸの検索": help contents and search */
#define IDM_ABOUT 40004           /* "&Aﾊﾞｰｼﾞｮﾝ情報": the About box */
#define IDM_MODE_SIXDAY 40005     /* "&R六曜": calendar mode 0 */
#define IDM_MODE_NINESTAR 40006   /* "&Q九星": calendar mode 1 */
#define IDM_MODE_MANSION27 40007  /* "&N二十七宿": calendar mode 2 */
#define IDM_MODE_MANSION28 40008  /* "&H二十八宿": calendar mode 3 */
#define IDM_MODE_STEMBRANCH 40009 /* "&E干支": calendar mode 4 */
#define IDM_MODE_SOLARTERM 40010  /* "&S二十四節気": calendar mode 5 */
#define IDM_MODE_ALMANAC 40022    /* "&K暦注": calendar mode 6, checked while shown */
#define IDM_MODE_CHOKU 40023      /* "&J十二直": calendar mode 7, checked while shown */
#define IDM_MODE_KYUREKI 40024    /* "&Y旧暦": calendar mode 8, checked while shown */
#define IDM_COPY_ACCEL 40020      /* Ctrl+C accelerator (character code 3) */
#define IDM_COPY 40021            /* "&Cｺﾋﾟｰ     Ctrl+C" menu item */
#define IDM_RULE_SOLSTICE 40030   /* "&W冬至の月を十一月に": lunar months from 冬至 */
#define IDM_HOLIDAYS_BY_LAW 40040 /* "&L祝日法による祝日": check item, holidays by law */

/* ---- Date-entry dialog "IDD_DIALOG1" ---- */
/* OK is 1 (IDOK) and CANCEL is 2 (IDCANCEL), as in every dialog. */
#define IDC_YEAR_EDIT 1000        /* year, at most 4 characters */
#define IDC_MONTH_EDIT 1001       /* month, at most 2 characters */
#define IDC_YEAR_LABEL 2000       /* "西暦" */
#define IDC_YEAR_UNIT_LABEL 2001  /* "年" */
#define IDC_MONTH_UNIT_LABEL 2002 /* "月" */
#define IDC_YEAR_SPIN 3000        /* up-down of the year edit ("Spin1") */
#define IDC_MONTH_SPIN 3001       /* up-down of the month edit ("Spin2") */

/* ---- About box "ABOUT" ---- */
/* Its "了解" push button is 1 (IDOK). */
#define IDC_LIB_VERSION_LABEL 50003 /* "使用中のVORANE2  Ver." */
#define IDC_LIB_VERSION 50004       /* "0.00", replaced by the library's version */
#define IDC_APP_VERSION 50005       /* "0.90", the program's version */
#define IDC_APP_VERSION_LABEL 50006 /* "Mivaro      Ver." */

/* ---- Timers ---- */
#define IDT_SPLASH 1 /* the opening picture's one-second timer */

#endif /* TENVO_RESOURCE_H */
