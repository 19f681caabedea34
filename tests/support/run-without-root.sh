#!/bin/sh
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs a test program as a user whom file permissions bind; root may write anywhere.
if [ "$(id -u)" -eq 0 ]; then
    exec runuser -u nobody -- env TMPDIR=/tmp "$@"
fi
exec "$@"
