// Resource identifiers of the output panel, shared by the .rc file and the code.
#ifndef QIV_PLUGIN_OUTPUT_PANEL_IDS_H
#define QIV_PLUGIN_OUTPUT_PANEL_IDS_H

#define IDD_OUTPUT_PANEL 2500  // the panel's dialog template
#define IDC_OUTPUT_EDIT 2501   // its read-only multi-line edit control (outputEdit)

#endif
