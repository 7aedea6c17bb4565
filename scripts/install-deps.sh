#!/usr/bin/env bash
# Installs what building, running and testing need (Debian 12, as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends \
    cmake make g++ pkg-config \
    qt6-base-dev libgl-dev libsqlcipher-dev sqlcipher \
    libbenchmark-dev mdbtools mdbtools-dev libglib2.0-dev postgresql libpq-dev \
    xvfb xauth fonts-dejavu-core fonts-liberation >/dev/null
