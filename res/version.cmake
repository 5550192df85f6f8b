# Quillet's version and the texts of its version block, written once. The top-level
# CMakeLists.txt takes its project version from here, the program gets them through the
# generated res/version.h (the About box, the version block), and the desktop entry and the
# AppStream metadata are configured from them at install time.
set(QUILLET_VERSION 1.0.0.0)
set(QUILLET_COPYRIGHT_YEAR 2026)
set(QUILLET_COMPANY_NAME "Quillet Team")
set(QUILLET_LEGAL_COPYRIGHT "© ${QUILLET_COPYRIGHT_YEAR} ${QUILLET_COMPANY_NAME}")
set(QUILLET_INTERNAL_NAME "Quillet")
set(QUILLET_FILE_DESCRIPTION "Quillet ｱﾌﾟﾘｹｰｼｮﾝ")
set(QUILLET_PRODUCT_NAME "Quillet ｱﾌﾟﾘｹｰｼｮﾝ")
set(QUILLET_ORIGINAL_FILENAME "Quillet.EXE")
# The string table of the version block: Japanese (0x0411), Unicode (code page 1200).
set(QUILLET_VERSION_LANGUAGE 0x0411)
set(QUILLET_VERSION_CODE_PAGE 1200)
set(QUILLET_VERSION_BLOCK "041104b0")
# The release of this version, for the AppStream metadata.
set(QUILLET_RELEASE_DATE 2026-12-11)
# The id of the installed program in the software centres, and its desktop entry.
set(QUILLET_APP_ID io.github.quillet.quillet)
