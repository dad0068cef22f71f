/* Identifiers of the module's resources: the Element menu, the dialog templates with their controls,
 * and the string table. Plain preprocessor constants, because the resource compiler reads this file too. */
#ifndef VELLUM_RESOURCE_IDS_H
#define VELLUM_RESOURCE_IDS_H

/* ---- Menus ---------------------------------------------------------------------------------------- */
#define IDR_ELEMENT_MENU 101

/* Commands of the Element menu. They share numbers with string-table entries, which is harmless:
 * command ids and string ids live in separate name spaces. */
#define IDM_PROPERTIES 40001
#define IDM_DELETE 40002
#define IDM_INCREASE_ZINDEX 40004
#define IDM_DECREASE_ZINDEX 40005
#define IDM_INCREASE_ZINDEX_BY_10 40006
#define IDM_DECREASE_ZINDEX_BY_10 40007

/* ---- Dialog templates ----------------------------------------------------------------------------- */
#define IDD_CHOOSE_FONT 103 /* template handed to the common font dialog */
#define IDD_BASIC_PROPERTIES_PAGE 106
#define IDD_SELECT_OPTIONS 107
#define IDD_CODE_TEXT 108
#define IDD_CUSTOM_PROPERTIES_PAGE 109

/* ---- Controls ------------------------------------------------------------------------------------- */
#define IDC_PROPERTY_GRID 1000 /* owner-drawn list box that the property grid takes over */
#define IDC_OPTION_LIST 1006
#define IDC_OPTION_NAME 1007
#define IDC_OPTION_VALUE 1008
#define IDC_NEW_OPTION 1010
#define IDC_UPDATE_OPTION 1011
#define IDC_REMOVE_OPTION 1012
#define IDC_CODE_TEXT 1013
#define IDC_ATTRIBUTE_NAME 1014
#define IDC_ATTRIBUTE_VALUE 1015
#define IDC_SET_ATTRIBUTE 1016
#define IDC_GET_ATTRIBUTE 1017
/* The font dialog finds its face-name label and list by the ids its own template uses (stc1, cmb1). */
#define IDC_FONT_FACE_LABEL 1088
#define IDC_FONT_FACE_LIST 1136

/* ---- String table --------------------------------------------------------------------------------- */
/* Every id of the table lies in this range; numbers inside it without a name below have no text. */
#define IDS_FIRST 40001
#define IDS_LAST 40109

#define IDS_PROPERTIES 40001
#define IDS_DELETE 40002
#define IDS_GENERATOR 40003 /* content of the generator meta of saved pages */

/* Property categories of the Basic page. */
#define IDS_CATEGORY_APPEARANCE 40006
#define IDS_CATEGORY_FONT 40008
#define IDS_CATEGORY_MISC 40009
#define IDS_CATEGORY_POSITION 40010
#define IDS_CATEGORY_TEXT 40096

/* Display names of property rows. */
#define IDS_PROP_ID 40011
#define IDS_PROP_TOOLTIP 40016
#define IDS_PROP_TOP 40019
#define IDS_PROP_LEFT 40022
#define IDS_PROP_WIDTH 40025
#define IDS_PROP_HEIGHT 40028
#define IDS_PROP_FORECOLOR 40031
#define IDS_PROP_BACKCOLOR 40034
#define IDS_PROP_MARGIN 40055
#define IDS_PROP_PADDING 40061
#define IDS_PROP_TEXT 40067
#define IDS_PROP_FONT_FACE 40073
#define IDS_PROP_BORDER_WIDTH 40074
#define IDS_PROP_BORDER_COLOR 40075
#define IDS_PROP_BORDER_STYLE 40076
#define IDS_PROP_ITEMS 40080
#define IDS_PROP_FONT_SIZE 40081
#define IDS_PROP_FONT_STYLE 40084
#define IDS_PROP_FONT_VARIANT 40085
#define IDS_PROP_FONT_WEIGHT 40086
#define IDS_PROP_TITLE 40087
#define IDS_PROP_SOURCE 40090
#define IDS_PROP_CHECKED 40092
#define IDS_PROP_GROUP 40093
#define IDS_PROP_TEXT_ALIGN 40097
#define IDS_PROP_TEXT_DECORATION 40098
#define IDS_PROP_TEXT_TRANSFORM 40099
#define IDS_PROP_CURSOR 40100
#define IDS_PROP_OVERFLOW_X 40101
#define IDS_PROP_OVERFLOW_Y 40102
#define IDS_PROP_ZINDEX 40103
#define IDS_PROP_READONLY 40106
#define IDS_PROP_DISABLED 40107

/* Input patterns of the editable rows, each followed by the help text shown when input is rejected. */
#define IDS_PATTERN_IDENTIFIER 40012
#define IDS_HELP_IDENTIFIER 40015
#define IDS_PATTERN_TITLE 40017
#define IDS_HELP_TITLE 40018
#define IDS_PATTERN_LENGTH 40020
#define IDS_HELP_LENGTH 40021
#define IDS_PATTERN_BORDER_WIDTH 40044
#define IDS_HELP_BORDER_WIDTH 40045
#define IDS_PATTERN_MARGIN 40056
#define IDS_HELP_MARGIN 40057
#define IDS_PATTERN_PADDING 40062
#define IDS_HELP_PADDING 40063
#define IDS_PATTERN_TEXT 40068
#define IDS_HELP_TEXT 40069
#define IDS_PATTERN_FONT_SIZE 40082
#define IDS_HELP_FONT_SIZE 40083
#define IDS_PATTERN_GROUP 40094
#define IDS_HELP_GROUP 40095
#define IDS_PATTERN_ZINDEX 40104
#define IDS_HELP_ZINDEX 40105
#define IDS_PATTERN_BODY_SIZE 40108
#define IDS_HELP_BODY_SIZE 40109

/* Texts of the compound properties and their dialogs. */
#define IDS_NEW_OPTION_NAME 40077
#define IDS_NEW_OPTION_VALUE 40078
#define IDS_SELECT_ITEMS_VALUE 40079 /* what the Items row shows instead of a value */
#define IDS_PROPERTY_SHEET_CAPTION 40088
#define IDS_IMAGE_FILE_FILTER 40091 /* tab-separated; tabs become zeros for the open-file dialog */

#endif
