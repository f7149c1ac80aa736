# ftp_server.py — a throwaway FTP server on 127.0.0.1 for the upload tests.
# Usage: ftp_server.py HOME USER PASSWORD COMMAND_LOG
# Prints "PORT PID" once it listens; every command received is appended to COMMAND_LOG.
import logging
import os
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

home, user, password, command_log = sys.argv[1:5]


class RecordingHandler(FTPHandler):
    def pre_process_command(self, line, cmd, arg):
        with open(command_log, "a", encoding="utf-8") as log:
            log.write(line + "\n")
        return super().pre_process_command(line, cmd, arg)


authorizer = DummyAuthorizer()
authorizer.add_user(user, password, home, perm="elradfmwMT")
RecordingHandler.authorizer = authorizer
RecordingHandler.auth_failed_timeout = 0
logging.basicConfig(level=logging.CRITICAL)

server = FTPServer(("127.0.0.1", 0), RecordingHandler)
print(server.address[1], os.getpid(), flush=True)
server.serve_forever()
