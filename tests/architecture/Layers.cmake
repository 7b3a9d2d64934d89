# The layers of the program and, for each, the layers below it that it may
# use: the picture of the architecture, read by the include and link checks.
#
#   app, tools        over ledger, editor, export and desk
#   ledger            over editor
#   desk              over checks, selection and xmlfiles
#   editor            over print, checks, selection and grid
#   print             over grid and selection
#   checks            over selection
#   grid, selection,
#   export            over xmlfiles
#   xmlfiles          over platform
#   platform          nothing of ours
#
# Any layer may use platform, and an arrow may skip layers downwards; no arrow
# runs up or across to a sibling.
set(TELM_LAYERS platform xmlfiles grid selection export checks desk print editor ledger app tools)

set(TELM_USES_platform "")
set(TELM_USES_xmlfiles platform)
set(TELM_USES_grid xmlfiles platform)
set(TELM_USES_selection xmlfiles platform)
set(TELM_USES_export xmlfiles platform)
set(TELM_USES_checks selection xmlfiles platform)
set(TELM_USES_desk checks selection xmlfiles platform)
set(TELM_USES_print grid selection xmlfiles platform)
set(TELM_USES_editor print checks selection grid xmlfiles platform)
# The account map and the trial balance: a ledger's export read with the
# amounts' reader and placed on the statements' rows, filled through the engine.
set(TELM_USES_ledger editor print checks selection grid xmlfiles platform)
set(TELM_USES_app editor export desk checks ledger print selection grid xmlfiles platform)
set(TELM_USES_tools editor export desk checks ledger print selection grid xmlfiles platform)

# Folders outside the product: the template generator reads the form
# profiles; benchmarks measure the cores; test support stands alone.
set(TELM_USES_data/generator editor selection grid xmlfiles platform)
set(TELM_USES_bench tools ledger editor desk checks print selection grid xmlfiles platform)
set(TELM_USES_tests/support "")
# The fuzz targets drive the cores as tests do.
set(TELM_USES_fuzz tools ledger editor desk checks selection grid xmlfiles platform)
