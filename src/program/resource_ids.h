/* Resource numbers of the program's icon and menu bitmaps (shared with the resource script,
   so plain C preprocessor definitions). */
#ifndef VENTRIX_PROGRAM_RESOURCE_IDS_H_
#define VENTRIX_PROGRAM_RESOURCE_IDS_H_

#define IDI_VENTRIX 1      /* program icon: 32x32 and 16x16, 16 colours, a compact disc */
#define IDB_EXIT_CROSS 101 /* black cross */
#define IDB_SETTINGS 103   /* small dialog window with a tick mark */
#define IDB_DISC 104       /* compact disc */
#define IDB_ABOUT 105      /* blue disc with a white question mark */

#endif
