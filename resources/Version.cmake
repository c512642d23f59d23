# The one place for the programs' version numbers: the .rc files, the manifests and the
# installer all take them from here.
set(PAUSARIUM_REMINDER_VERSION 2.3.0.7)
set(PAUSARIUM_SETUP_VERSION 2.3.0.2)
set(PAUSARIUM_PRODUCT_VERSION 2.5.0)
set(PAUSARIUM_COPYRIGHT "Copyright (C) 2026 the Pausarium developers")
