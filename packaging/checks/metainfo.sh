#!/usr/bin/env bash
# The AppStream metainfo passes appstreamcli's validation without the network.
set -euo pipefail
command -v appstreamcli >/dev/null || { echo "appstreamcli is not installed"; exit 77; }
appstreamcli validate --no-net "$1"
