/* Resource numbers of the program's icon and menu bitmaps (shared with the resource script,
   so plain C preprocessor definitions). */
#ifndef VENTRIX_PROGRAM_RESOURCE_IDS_H_
#define VENTRIX_PROGRAM_RESOURCE_IDS_H_

#define IDI_VENTRIX 1      /* program icon: 48 to 16 pixels, 16 colours, a compact disc */
#define IDB_EXIT_CROSS 101 /* black cross */
#define IDB_SETTINGS 103   /* small dialog window with a tick mark */
#define IDB_DISC 104       /* compact disc */
#define IDB_ABOUT 105      /* blue disc with a white question mark */

/* The same four pictures at the small-icon sizes of higher DPIs: the 16x16 number plus
   IDB_SIZE_STEP for 20x20, twice that for 24x24 and three times for 32x32. */
#define IDB_SIZE_STEP 100
#define IDB_EXIT_CROSS_20 201
#define IDB_SETTINGS_20 203
#define IDB_DISC_20 204
#define IDB_ABOUT_20 205
#define IDB_EXIT_CROSS_24 301
#define IDB_SETTINGS_24 303
#define IDB_DISC_24 304
#define IDB_ABOUT_24 305
#define IDB_EXIT_CROSS_32 401
#define IDB_SETTINGS_32 403
#define IDB_DISC_32 404
#define IDB_ABOUT_32 405

#endif
