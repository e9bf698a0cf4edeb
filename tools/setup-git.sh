#!/usr/bin/env bash
# Sets up this clone's "gbk" diff driver (see .gitattributes), so that
# `git diff` and `git log -p` show GBK golden files and templates as
# readable text.
set -euo pipefail
cd "$(dirname "$0")/.."
git config diff.gbk.textconv "iconv -f GBK -t UTF-8"
git config diff.gbk.cachetextconv true
echo "git diff now shows GBK files as UTF-8 text."
