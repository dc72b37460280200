# SPDX-License-Identifier: MIT
"""The running psu-sim the tests talk to: scripts/pyvisa-test.sh starts it and names its port
(PSU_SIM_PORT) and process (PSU_SIM_PID)."""
import os

import pyvisa
import pytest


@pytest.fixture(scope="session")
def sim():
    port = os.environ.get("PSU_SIM_PORT")
    if not port:
        pytest.exit("PSU_SIM_PORT is not set: run scripts/pyvisa-test.sh BUILD_DIR", returncode=2)
    return {"port": int(port), "pid": int(os.environ.get("PSU_SIM_PID", "0"))}


@pytest.fixture(scope="session")
def rm():
    manager = pyvisa.ResourceManager("@py")
    yield manager
    manager.close()


@pytest.fixture
def connect(sim, rm):
    """Opens sessions on the simulator; each is closed after its test."""
    opened = []

    def open_session():
        inst = rm.open_resource(f"TCPIP0::127.0.0.1::{sim['port']}::SOCKET",
                                read_termination="\n", write_termination="\n", timeout=5000)
        opened.append(inst)
        return inst

    yield open_session
    for inst in opened:
        try:
            inst.close()
        except pyvisa.Error:
            pass


@pytest.fixture
def psu(connect):
    """One session on a supply just reset, with an empty error queue and status."""
    inst = connect()
    inst.write("*RST;*CLS")
    return inst
